#pragma once
// The open dialog for pictures: beside the file list, the selected file's picture as it will be
// drawn (decoded by the program's own decoders) and its size in pixels.
#include <QFileDialog>

class QLabel;

namespace orv {

class PictureFileDialog : public QFileDialog {
    Q_OBJECT
  public:
    PictureFileDialog(QWidget* parent, const QString& filter, const QString& initialFile);

    // Shows `path` in the preview pane; a file that is no picture we can draw shows nothing.
    void ShowPreview(const QString& path);
    QLabel* Preview() const { return preview_; }
    QLabel* SizeLabel() const { return pixelSize_; }

  private:
    QLabel* preview_;
    QLabel* pixelSize_;
};

}  // namespace orv
