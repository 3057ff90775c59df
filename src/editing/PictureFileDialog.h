#pragma once

#include <QFileDialog>

class QLabel;

// The file-open dialog for pictures: Qt's own dialog, since a native one takes no widgets of
// ours, with a preview of the selected file beside the list.
class PictureFileDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit PictureFileDialog(QWidget *parent = nullptr);

    // Asks for a picture file, starting in the folder; empty when the user gave none.
    static QString getPictureFile(QWidget *parent, const QString &folder);

    QLabel *const imgPreview;

private:
    void showPreview(const QString &path);
};
