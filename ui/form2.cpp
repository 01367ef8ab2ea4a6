#include "form2.h"

#include "form1_controls.h"
#include "icons.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace {

// Label7 is the window's own click area rather than a widget, so that
// screen readers are not shown an empty label larger than the window.
constexpr QRect kLabel7 = twipsRect(form::kLabel7);
constexpr QSize kAboutClientSize = twipsRect({0, 0, form::kForm2Width, form::kForm2Height}).size();

// Under a Wayland compositor that leaves decorations to the program, Qt's
// own title bar always carries minimise and maximise buttons. There the
// window draws its own narrow bar with the title and a close button only.
constexpr int kTitleBarHeight = 20;

bool drawsOwnTitleBar() { return QGuiApplication::platformName().startsWith("wayland"); }

Qt::WindowFlags flags()
{
    const Qt::WindowFlags toolWindow = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    return drawsOwnTitleBar() ? Qt::Tool | Qt::FramelessWindowHint : toolWindow;
}

} // namespace

Form2::Form2(QWidget *parent) : QWidget(parent, flags()), content_(0, drawsOwnTitleBar() ? kTitleBarHeight : 0)
{
    setObjectName("Form2");
    setWindowTitle(qtext(form::kForm2Title));
    setWindowIcon(form2Icon());
    setFixedSize(kAboutClientSize + QSize(0, content_.y()));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus); // so that Escape reaches it

    if (content_.y() > 0) {
        auto *close = new QToolButton(this);
        close->setObjectName("Close");
        close->setAccessibleName("Close");
        close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
        close->setAutoRaise(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setGeometry(width() - kTitleBarHeight, 1, kTitleBarHeight - 2, kTitleBarHeight - 2);
        connect(close, &QToolButton::clicked, this, &QWidget::close);
    }

    for (const form::Text &t : form::kForm2Texts) {
        auto *label = new QLabel(qtext(t.caption), this);
        label->setObjectName(qtext(t.name));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setGeometry(twipsRect(t.place).translated(content_));
    }
}

void Form2::paintEvent(QPaintEvent *)
{
    if (content_.y() == 0)
        return;
    QPainter painter(this);
    const QRect bar(0, 0, width(), content_.y());
    painter.fillRect(bar, palette().color(QPalette::Window).darker(115));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(bar.adjusted(6, 0, -kTitleBarHeight, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
}

void Form2::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->position().y() < content_.y())
        windowHandle()->startSystemMove();
}

void Form2::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() - content_;
    if (event->button() == Qt::LeftButton && at.y() >= 0 && kLabel7.contains(at))
        Label7_Click();
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        Label7_Click();
    else
        QWidget::keyPressEvent(event);
}

void Form2::Label7_Click() { setVisible(false); }

#include "moc_form2.cpp"
