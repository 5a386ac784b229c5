#include "gui/formulas/formula_pad.h"

#include "gui/common/qt_text.h"

#include <QGridLayout>
#include <QToolButton>

namespace kinoval {

namespace {

constexpr int kKeySize = 36;

} // namespace

QGridLayout* MakePad(QWidget* parent, std::span<const TPadKey> keys, const std::function<void(const TPadKey&)>& run)
{
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    for (const TPadKey& key : keys) {
        auto* button = new QToolButton(parent);
        button->setObjectName(key.name);
        button->setText(QString::fromUtf8(key.caption));
        const QString spoken = key.spoken != nullptr ? T(key.spoken) : QString::fromUtf8(key.caption);
        button->setAccessibleName(spoken);
        button->setToolTip(spoken);
        button->setMinimumSize(kKeySize + 8, kKeySize - 6);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        // The keys leave the keyboard focus in the field they write to.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        const TPadKey* k = &key;
        QObject::connect(button, &QToolButton::clicked, parent, [run, k] { run(*k); });
        grid->addWidget(button, key.row, key.column);
    }
    return grid;
}

QToolButton* MakeInverseToggle(QWidget* parent)
{
    auto* arc = new QToolButton(parent);
    arc->setObjectName("SpeedButtonArc");
    arc->setText(QStringLiteral("Arc"));
    arc->setAccessibleName(T("Fonctions réciproques"));
    arc->setToolTip(T("Fonctions réciproques : ArcSin, ArcCos, ArcTan"));
    arc->setCheckable(true);
    arc->setFocusPolicy(Qt::NoFocus);
    arc->setMinimumSize(kKeySize + 8, kKeySize - 6);
    arc->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return arc;
}

} // namespace kinoval
