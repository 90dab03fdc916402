#pragma once
// 新規作成: the designs to start from, each shown as its sheet drawn small by the output driver,
// the empty design first. The window opens the chosen one when the dialog is accepted.
#include <QDialog>
#include <string>
#include <vector>

#include "model/DesignTemplates.h"

class QListWidget;

namespace orv {

class TfrmTemplates : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmTemplates(QWidget* parent);

    // Lists 「白紙」 and `templates` with their thumbnails, 「白紙」 chosen.
    void Fill(const std::vector<DesignTemplate>& templates);
    // The chosen template's file; empty for the empty design.
    std::string ChosenPath() const;
    QListWidget* List() const { return list_; }

  private:
    QListWidget* list_;
    std::vector<std::string> paths_;  // by row; the first is the empty design's ""
};

}  // namespace orv
