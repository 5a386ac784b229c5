#include "gui/dialogs/names_dialog.h"

#include "core/common/texts.h"
#include "core/document/data.h"
#include "gui/common/qt_text.h"
#include "gui/drawing/glyph_painter.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kinoval {

namespace {

constexpr int kGlyphPixels = 20;

QPixmap GlyphPicture(TColor colour, int objectNumber)
{
    QPixmap picture(kGlyphPixels, kGlyphPixels);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    drawing::DrawObjectGlyph(painter, QPoint(kGlyphPixels / 2, kGlyphPixels / 2), colour, 1, objectNumber);
    return picture;
}

// The name editor tells the dialog when it opens and closes, so the hint can remind of the article.
class TNameDelegate : public QStyledItemDelegate {
public:
    TNameDelegate(QObject* parent, std::function<void(bool)> editing)
        : QStyledItemDelegate(parent)
        , m_editing(std::move(editing))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        m_editing(true);
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        m_editing(false);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    std::function<void(bool)> m_editing;
};

QTableWidgetItem* FixedItem(const QString& text = QString())
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

TNamesDialog::TNamesDialog(QWidget* parent, document::TData& data, bool transparent)
    : QDialog(parent)
    , m_data(data)
    , m_transparent(transparent)
{
    setObjectName(QStringLiteral("NamesDialog"));
    setWindowTitle(T("Modifier le nom et la couleur de chaque marque"));
    setModal(true);
    ChooseColour = [this](TColor current) -> std::optional<TColor> {
        const QColor chosen = QColorDialog::getColor(drawing::ToQColor(current), this);
        if (!chosen.isValid())
            return std::nullopt;
        return drawing::FromQColor(chosen);
    };

    // The transparent set follows one object; its second name is the body the sheet moves with.
    m_objects = transparent ? 1 : static_cast<int>(Set().SystemName.size());

    auto* layout = new QVBoxLayout(this);
    m_grid = new QTableWidget(m_objects + 1, kColumnCount, this);
    m_grid->setObjectName(QStringLiteral("GridNames"));
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_grid->setHorizontalHeaderLabels(
        { T("N°"), T("Couleur"), T("Visible"), T("la marque"), T("repère les positions") });
    m_grid->horizontalHeaderItem(kColumnNumber)->setToolTip(T("Numéro de la marque"));
    m_grid->horizontalHeaderItem(kColumnColour)
        ->setToolTip(T("Utiliser les touches du pavé numérique depuis la fenêtre pricipale"));
    m_grid->horizontalHeaderItem(kColumnVisible)->setToolTip(T("Décocher pour masquer toutes les marques de l'objet"));
    m_grid->setItemDelegateForColumn(
        kColumnName, new TNameDelegate(m_grid, [this](bool editing) { ShowEditingHint(editing); }));
    for (int row = 0; row <= m_objects; ++row)
        FillRow(row);
    for (int column = kColumnNumber; column < kColumnName; ++column)
        m_grid->resizeColumnToContents(column);
    if (transparent) {
        // The sheet's caption spans the first four columns: the glyph column takes what it lacks.
        const int wanted
            = m_grid->fontMetrics().horizontalAdvance(T("Le milieu du transparent suit les positions")) + 16;
        int spanned = 0;
        for (int column = kColumnNumber; column < kColumnName; ++column)
            spanned += m_grid->columnWidth(column);
        if (spanned < wanted)
            m_grid->setColumnWidth(kColumnGlyph, m_grid->columnWidth(kColumnGlyph) + wanted - spanned);
    }
    m_grid->setColumnWidth(kColumnName, 220);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    int total = 2 * m_grid->frameWidth() + 4;
    for (int column = 0; column < kColumnCount; ++column)
        total += m_grid->columnWidth(column);
    m_grid->setMinimumWidth(std::max(460, total)); // no horizontal scroll bar for the names
    connect(m_grid, &QTableWidget::cellClicked, this, &TNamesDialog::CellClicked);
    layout->addWidget(m_grid);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("LabelHint"));
    layout->addWidget(m_hint);
    ShowEditingHint(false);

    auto* examples = new QGroupBox(T("Exemples"), this);
    auto* exampleLines = new QVBoxLayout(examples);
    for (const char* example :
        { TrNoop("d'une balle"), TrNoop("de la pointe d'un javelot"), TrNoop("du centre de la Terre") })
        exampleLines->addWidget(new QLabel(T(example), examples));
    layout->addWidget(examples);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(T("Ok"), this);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setAutoDefault(false); // Enter ends a name's edit, not the dialog
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(ok);
    layout->addLayout(row);
    resize(sizeHint());
}

void TNamesDialog::Run(QWidget* parent, document::TData& data, bool transparent)
{
    TNamesDialog dialog(parent, data, transparent);
    dialog.exec();
}

document::TPolyContainer& TNamesDialog::Set() const
{
    return m_transparent ? static_cast<document::TPolyContainer&>(m_data.TransparentSet())
                         : static_cast<document::TPolyContainer&>(m_data.FixedSet());
}

void TNamesDialog::FillRow(int row)
{
    const auto& names = Set().SystemName;
    auto nameOf = [&](int k) {
        return k < static_cast<int>(names.size())
            ? QString::fromStdString(document::ShownObjectName(names[static_cast<std::size_t>(k)]))
            : QString();
    };
    auto* colour = FixedItem();
    if (row < m_objects) {
        m_grid->setItem(row, kColumnNumber, FixedItem(QString::number(row + 1)));
        const TColor c = m_data.MarkColor(row);
        colour->setBackground(drawing::ToQColor(c));
        m_grid->setItem(row, kColumnColour, colour);
        auto* visible = FixedItem();
        // A transparent mark is always drawn: its tick shows that and cannot be changed.
        visible->setCheckState(m_transparent || m_data.MarkVisible(row) ? Qt::Checked : Qt::Unchecked);
        if (m_transparent)
            visible->setFlags(Qt::NoItemFlags);
        m_grid->setItem(row, kColumnVisible, visible);
        auto* glyph = FixedItem();
        glyph->setData(Qt::DecorationRole, GlyphPicture(c, row));
        m_grid->setItem(row, kColumnGlyph, glyph);
        auto* name = new QTableWidgetItem(nameOf(row));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
        m_grid->setItem(row, kColumnName, name);
        return;
    }
    // The last row: the element colour, or the body the sheet follows, whose caption reads as the start
    // of the sentence its name ends.
    if (m_transparent) {
        delete colour;
        m_grid->setSpan(row, kColumnNumber, 1, kColumnName - kColumnNumber);
        m_grid->setItem(row, kColumnNumber, FixedItem(T("Le milieu du transparent suit les positions")));
        auto* name = new QTableWidgetItem(nameOf(1));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
        m_grid->setItem(row, kColumnName, name);
    } else {
        m_grid->setItem(row, kColumnNumber, FixedItem());
        colour->setBackground(drawing::ToQColor(m_data.ElementColor()));
        m_grid->setItem(row, kColumnColour, colour);
        m_grid->setItem(row, kColumnVisible, FixedItem());
        m_grid->setSpan(row, kColumnGlyph, 1, 2);
        m_grid->setItem(row, kColumnGlyph, FixedItem(T("Couleur des axes et de l'échelle")));
    }
}

void TNamesDialog::CellClicked(int row, int column)
{
    if (row < 0 || row > m_objects || (m_transparent && row == m_objects))
        return;
    if (column == kColumnColour) {
        const TColor current = row < m_objects ? m_data.MarkColor(row) : m_data.ElementColor();
        const std::optional<TColor> chosen = ChooseColour ? ChooseColour(current) : std::nullopt;
        if (!chosen)
            return;
        if (row < m_objects) {
            m_data.SetMarkColor(row, *chosen);
        } else {
            m_data.SetElementColor(*chosen);
        }
        FillRow(row);
    } else if (column == kColumnVisible && row < m_objects && !m_transparent) {
        m_data.SetMarkVisible(row, !m_data.MarkVisible(row));
        FillRow(row);
    }
}

void TNamesDialog::ShowEditingHint(bool editing)
{
    if (m_hint != nullptr)
        m_hint->setText(editing ? T("Ne pas oublier l'article devant le nom")
                                : T("Les noms seront utilisés pour clarifier les résultats"));
}

void TNamesDialog::StoreNames()
{
    // A name being typed when the dialog closes counts as typed.
    if (QWidget* editor = m_grid->indexWidget(m_grid->currentIndex()); editor != nullptr) {
        if (QAbstractItemDelegate* delegate = m_grid->itemDelegateForIndex(m_grid->currentIndex()))
            emit delegate->commitData(editor);
    }
    auto& names = Set().SystemName;
    const int nameRows = m_transparent ? 2 : m_objects;
    for (int k = 0; k < nameRows && k < static_cast<int>(names.size()); ++k) {
        const int row = m_transparent ? (k == 0 ? 0 : m_objects) : k;
        if (const QTableWidgetItem* item = m_grid->item(row, kColumnName))
            names[static_cast<std::size_t>(k)] = document::StoredObjectName(k, item->text().trimmed().toStdString());
    }
}

void TNamesDialog::done(int result)
{
    if (!m_stored) {
        StoreNames();
        m_stored = true;
    }
    QDialog::done(result);
}

} // namespace kinoval
