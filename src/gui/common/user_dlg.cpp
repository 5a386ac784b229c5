#include "gui/common/user_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QSvgRenderer>
#include <QTimer>
#include <QWindow>

#include <vector>

// Resources of a static library are registered by hand: nothing else pulls their object file in.
static void InitUserDlgResources()
{
    Q_INIT_RESOURCE(user_dlg);
}

namespace kinoval {

namespace {

constexpr int kIconSize = 32;
constexpr int kGlyphSize = 16;

QString IconResource(TUserDlgIcon icon)
{
    switch (icon) {
    case TUserDlgIcon::icWarning:
        return QStringLiteral(":/kinoval/IcoWARNING.svg");
    case TUserDlgIcon::icError:
        return QStringLiteral(":/kinoval/IcoERROR.svg");
    case TUserDlgIcon::icInformation:
        return QStringLiteral(":/kinoval/IcoINFORMATION.svg");
    case TUserDlgIcon::icConfirmation:
        return QStringLiteral(":/kinoval/IcoCONFIRMATION.svg");
    default:
        return {};
    }
}

QString GlyphResource(TUserDlgButtonKind kind)
{
    switch (kind) {
    case TUserDlgButtonKind::btOk:
        return QStringLiteral(":/kinoval/GlyphOk.svg");
    case TUserDlgButtonKind::btAnnuler:
        return QStringLiteral(":/kinoval/GlyphAnnuler.svg");
    case TUserDlgButtonKind::btIgnorer:
        return QStringLiteral(":/kinoval/GlyphIgnore.svg");
    case TUserDlgButtonKind::btAbandonner:
        return QStringLiteral(":/kinoval/GlyphCancel.svg");
    case TUserDlgButtonKind::btTous:
        return QStringLiteral(":/kinoval/GlyphAll.svg");
    case TUserDlgButtonKind::btQuitter:
        return QStringLiteral(":/kinoval/GlyphQuit.svg");
    case TUserDlgButtonKind::btAide:
        return QStringLiteral(":/kinoval/GlyphHelp.svg");
    case TUserDlgButtonKind::btRecommencer:
        return QStringLiteral(":/kinoval/GlyphRetry.svg");
    case TUserDlgButtonKind::btEnregistrer:
        return QStringLiteral(":/kinoval/GlyphRecord.svg");
    case TUserDlgButtonKind::btCustom:
        break;
    }
    return {};
}

// An SVG drawn at the given logical size for the given pixel ratio: as sharp as the screen allows.
QPixmap RenderSvg(const QString& resource, QSize logical, qreal ratio)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return {};
    if (logical.isEmpty())
        logical = renderer.defaultSize();
    QPixmap pixmap((QSizeF(logical) * ratio).toSize());
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QSize LogicalSize(const QPixmap& pixmap)
{
    return pixmap.isNull() ? QSize() : (QSizeF(pixmap.size()) / pixmap.devicePixelRatio()).toSize();
}

// The text area draws the lines laid out for it, each in its colour.
class TTextArea : public QWidget {
public:
    TTextArea(QWidget* parent, std::vector<TUserDlgDrawnText> texts)
        : QWidget(parent)
        , m_texts(std::move(texts))
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int ascent = fontMetrics().ascent();
        for (const auto& text : m_texts) {
            painter.setPen(text.colour);
            painter.drawText(text.x, text.y + ascent, text.text);
        }
    }

private:
    std::vector<TUserDlgDrawnText> m_texts;
};

class TUserDlgWindow : public QDialog {
public:
    using QDialog::QDialog;

    bool delayRunning = false;
    bool hasButtons = false;
    int pressed = -1;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (delayRunning)
            event->ignore(); // the message must stay up for the whole delay
        else
            QDialog::closeEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        // No button answers for the user: Enter and Escape only close a window that asks nothing.
        const bool answerKey
            = event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (answerKey && (hasButtons || delayRunning)) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

QColor ToQColor(TColor colour)
{
    return QColor(int(RedOf(colour)), int(GreenOf(colour)), int(BlueOf(colour)));
}

} // namespace

struct TUserDlg::TBuilt {
    QCheckBox* checkBox = nullptr;
    std::vector<QPushButton*> buttons;
};

TUserDlg::TUserDlg()
{
    InitUserDlgResources();
}

QPixmap TUserDlg::StockIcon(TUserDlgIcon icon, qreal pixelRatio)
{
    QString resource = IconResource(icon);
    return resource.isEmpty() ? QPixmap() : RenderSvg(resource, QSize(kIconSize, kIconSize), pixelRatio);
}

QIcon TUserDlg::Glyph(TUserDlgButtonKind kind)
{
    QString resource = GlyphResource(kind);
    if (resource.isEmpty())
        return {};
    QIcon icon;
    for (qreal ratio : { 1.0, 1.25, 1.5, 2.0, 3.0 })
        icon.addPixmap(RenderSvg(resource, QSize(kGlyphSize, kGlyphSize), ratio));
    return icon;
}

TUserDlgGeometry TUserDlg::Build(QDialog& window, TBuilt& built) const
{
    window.setObjectName(QStringLiteral("UserDlg"));
    window.setWindowTitle(QString::fromStdString(Title));
    QFont font(QString::fromStdString(Font.name));
    font.setPointSize(Font.size);
    window.setFont(font);
    if (BackColor != kSystemColour) {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, ToQColor(BackColor));
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }

    QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;

    QPixmap picture;
    if (Icon() == TUserDlgIcon::icCustom) {
        QString name = QString::fromStdString(CustomIcon());
        // A bare picture name ("IcoWARNING") is one of the program's own pictures.
        if (!name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('.')))
            name = QStringLiteral(":/kinoval/%1.svg").arg(name);
        picture = name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? RenderSvg(name, QSize(), ratio)
                                                                             : QPixmap(name);
    } else if (Icon() != TUserDlgIcon::icNone) {
        picture = StockIcon(Icon(), ratio);
    }

    auto* checkBox
        = CheckBoxCaption.empty() ? nullptr : new QCheckBox(QString::fromStdString(CheckBoxCaption), &window);

    TUserDlgLayoutInput input;
    input.screenWidth = ScreenWidth > 0 ? ScreenWidth : (screen != nullptr ? screen->geometry().width() : 1024);
    input.iconSize = LogicalSize(picture);
    input.lines = &Lines();
    for (const auto& button : Buttons()) {
        bool glyph = ButtonsShowGlyph && button.kind != TUserDlgButtonKind::btCustom;
        input.buttons.push_back({ QString::fromStdString(button.caption), glyph });
    }
    input.buttonsSameWidth = ButtonsSameWidth;
    input.buttonsMinWidth = ButtonsMinWidth();
    input.checkBox = checkBox != nullptr;
    if (checkBox != nullptr)
        input.checkBoxHeight = checkBox->sizeHint().height();

    const QFontMetrics metrics(window.font());
    TUserDlgGeometry g = LayoutUserDlg(input, metrics);
    window.setFixedSize(g.clientWidth, g.clientHeight);

    if (!picture.isNull()) {
        auto* image = new QLabel(&window);
        image->setObjectName(QStringLiteral("Image"));
        image->setPixmap(picture);
        image->setGeometry(g.icon);
    }
    auto* area = new TTextArea(&window, g.texts);
    area->setObjectName(QStringLiteral("TextArea"));
    area->setGeometry(g.textArea);
    // The lines are painted, so a screen reader gets them whole, as they were given (not as cut to fit).
    QStringList message;
    for (const auto& line : Lines())
        message << QString::fromStdString(line.text);
    area->setAccessibleName(message.join(QLatin1Char('\n')));
    window.setAccessibleDescription(area->accessibleName());

    for (std::size_t i = 0; i < Buttons().size(); ++i) {
        const auto& button = Buttons()[i];
        auto* push = new QPushButton(QString::fromStdString(button.caption), &window);
        push->setObjectName(QStringLiteral("Btn%1").arg(i));
        push->setAutoDefault(false);
        push->setDefault(false);
        push->setCursor(ButtonsCursor);
        if (input.buttons[i].hasGlyph) {
            push->setIcon(Glyph(button.kind));
            push->setIconSize(QSize(kGlyphSize, kGlyphSize));
        }
        push->setGeometry(g.buttons[i]);
        built.buttons.push_back(push);
    }
    auto* bevel = new QFrame(&window);
    bevel->setObjectName(QStringLiteral("Bevel"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(g.separator);
    bevel->setVisible(g.separatorVisible);

    if (checkBox != nullptr) {
        checkBox->setObjectName(QStringLiteral("CheckBox"));
        checkBox->setChecked(CheckBoxCheck);
        checkBox->setGeometry(g.checkBox);
    }
    built.checkBox = checkBox;
    return g;
}

TUserDlgGeometry TUserDlg::ComputeGeometry() const
{
    QDialog window;
    TBuilt built;
    return Build(window, built);
}

int TUserDlg::DoRun()
{
    // While a delay runs the title bar has no close box (and the window refuses to close); it comes back
    // with the buttons.
    const int delay = EffectiveDelay();
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (delay == 0)
        flags |= Qt::WindowCloseButtonHint;
    TUserDlgWindow window(nullptr, flags);
    window.setModal(true);
    TBuilt built;
    m_geometry = Build(window, built);
    window.hasButtons = !built.buttons.empty();

    for (QPushButton* push : built.buttons) {
        QObject::connect(push, &QPushButton::clicked, &window, [&window, push] {
            if (window.delayRunning)
                return;
            // The result is the number in the button's name, so it follows the order of the list.
            bool ok = false;
            int index = push->objectName().mid(3).toInt(&ok);
            window.pressed = ok ? index : -1;
            window.accept();
        });
    }

    if (delay > 0) {
        window.delayRunning = true;
        for (QPushButton* push : built.buttons)
            push->setEnabled(false);
        QTimer::singleShot(delay, &window, [&window, &built] {
            window.delayRunning = false;
            for (QPushButton* push : built.buttons)
                push->setEnabled(true);
            // Through the native window: changing the widget's flags would hide it and end the modal run.
            if (QWindow* handle = window.windowHandle())
                handle->setFlags(handle->flags() | Qt::WindowCloseButtonHint);
        });
    }

    // Kept above the window that asks, without being owned by it: a modal run must not end in the middle
    // because its owner was destroyed.
    if (QWidget* owner = QApplication::activeWindow(); owner != nullptr && owner->windowHandle() != nullptr) {
        window.winId();
        window.windowHandle()->setTransientParent(owner->windowHandle());
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.center() - QPoint(window.width() / 2, window.height() / 2));
    }
    window.exec();

    if (built.checkBox != nullptr)
        CheckBoxCheck = built.checkBox->isChecked();
    return window.pressed;
}

} // namespace kinoval
