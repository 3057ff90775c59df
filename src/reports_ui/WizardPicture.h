#pragma once

#include <QPixmap>

// The picture on the report wizard's left strip: printed pages coming out of a printer.
QPixmap wizardPicture();
