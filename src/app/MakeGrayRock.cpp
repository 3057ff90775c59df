// Writes the grey stone picture that is installed beside the program as GRAYROCK.bmp, the
// picture the "Nifty Forms File" setting names by default.
#include "ui/BuiltInTile.h"

#include <QImage>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.bmp>\n", argv[0]);
        return 2;
    }
    if (!BuiltInTile::grayRock().save(QString::fromLocal8Bit(argv[1]), "BMP")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
