#include "form2.h"

#include "form1_layout.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {

struct Text {
    const char *name;
    const char *caption;
    int left, top, width, height; // twips
};

constexpr Text kTexts[] = {
    {"Label1", "You can reach me online at almost any time...", 105, 75, 3420, 285},
    {"Label2", "Wrenfold   - -       MSN", 150, 330, 2040, 225},
    {"Label3", "Wrenfold    - - -     AIM", 120, 540, 2310, 315},
    {"Label4", "wrenfold@example.net", 120, 780, 2655, 285},
};

// Label7 is an invisible click surface over the texts: it reaches past the
// top-left corner and covers all but a thin strip along the right edge. It
// is the window's own click area rather than a widget, so that screen
// readers are not shown an empty label larger than the window.
constexpr QRect kLabel7 = twipsRect(-240, -240, 3675, 2205);

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("Form2");
    setWindowTitle("Info...");
    setWindowIcon(QIcon(":/icons/form2.png"));
    setFixedSize(235, 70);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus); // so that Escape reaches it

    for (const Text &t : kTexts) {
        auto *label = new QLabel(t.caption, this);
        label->setObjectName(t.name);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setGeometry(twipsRect(t.left, t.top, t.width, t.height));
    }
}

void Form2::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && kLabel7.contains(event->position().toPoint()))
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
