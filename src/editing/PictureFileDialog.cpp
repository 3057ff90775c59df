#include "editing/PictureFileDialog.h"

#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace {

const QSize kPreviewSize(160, 160);

} // namespace

PictureFileDialog::PictureFileDialog(QWidget *parent) : QFileDialog(parent), imgPreview(new QLabel(this))
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters({QStringLiteral("Bitmap Files (*.bmp)"), QStringLiteral("All Files (*.*)")});
    setDefaultSuffix(QStringLiteral("bmp"));
    imgPreview->setFixedSize(kPreviewSize);
    imgPreview->setAlignment(Qt::AlignCenter);
    imgPreview->setFrameShape(QFrame::StyledPanel);
    imgPreview->setFrameShadow(QFrame::Sunken);
    // Qt's dialog lays its parts out in a grid whose second row holds the file list.
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(imgPreview, 1, grid->columnCount(), Qt::AlignTop);
    // The list keeps the room it would have without the preview.
    resize(sizeHint() + QSize(kPreviewSize.width(), 0));
    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::showPreview);
}

QString PictureFileDialog::getPictureFile(QWidget *parent, const QString &folder)
{
    PictureFileDialog dialog(parent);
    dialog.setDirectory(folder);
    dialog.selectFile(QStringLiteral("*.bmp"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

// Anything that is not a readable picture, a folder for one, shows an empty preview.
void PictureFileDialog::showPreview(const QString &path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.width() > kPreviewSize.width() || size.height() > kPreviewSize.height())
        reader.setScaledSize(size.scaled(kPreviewSize, Qt::KeepAspectRatio));
    const QImage picture = reader.read();
    imgPreview->setPixmap(QPixmap::fromImage(picture));
}
