#include "icons.h"

#include <QPixmap>

namespace {
#include "icons/form1.xpm"
#include "icons/form2.xpm"
} // namespace

QIcon form1Icon() { return QIcon(QPixmap(form1Xpm)); }
QIcon form2Icon() { return QIcon(QPixmap(form2Xpm)); }
