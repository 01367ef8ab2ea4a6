#include "form2.h"

#include "form1_layout.h"

#include <QIcon>
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

// Reaches past the top-left corner and covers all but a thin strip along
// the right edge, so nearly any click on the window lands on it.
constexpr Text kClickSurface = {"Label7", "", -240, -240, 3675, 2205};

QRect twipsRect(const Text &t) { return ::twipsRect(t.left, t.top, t.width, t.height); }

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("Form2");
    setWindowTitle("Info...");
    setWindowIcon(QIcon(":/icons/form2.png"));
    setFixedSize(235, 70);
    setAttribute(Qt::WA_DeleteOnClose);

    for (const Text &t : kTexts) {
        auto *label = new QLabel(t.caption, this);
        label->setObjectName(t.name);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        label->setGeometry(twipsRect(t));
    }
    Label7_ = new QLabel(this);
    Label7_->setObjectName(kClickSurface.name);
    Label7_->setGeometry(twipsRect(kClickSurface));
    Label7_->installEventFilter(this);
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label7_ && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Label7_->rect().contains(mouse->position().toPoint()))
            Label7_Click();
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Label7_Click() { setVisible(false); }
