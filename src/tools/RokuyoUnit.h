#pragma once
// TfrmRokuyo, "データ作成": the developers' dialog that builds the rokuyo and solar-term sections
// of the old-calendar data file from yearly source tables below a development folder.
#include <QDialog>
#include <memory>

#include "model/DataCreation.h"
#include "tools/DialogMessageSink.h"

namespace Ui {
class TfrmRokuyo;
}

namespace orv {

class TfrmRokuyo : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmRokuyo(QWidget* parent = nullptr);
    ~TfrmRokuyo() override;

    Ui::TfrmRokuyo& Controls() { return *ui_; }
    // Where messages go; nullptr restores the message boxes.
    void SetMessageSink(MessageSink* sink);

    void cmdRokuyoClick();
    void cmdNijusisekkiClick();
    void cmdDevelopFolderClick();

  private:
    std::string DevelopFolder();
    void Run(DataCreationResult (*run)(const std::string&, MessageSink&,
                                       const DataCreationCallbacks&));

    std::unique_ptr<Ui::TfrmRokuyo> ui_;
    DialogMessageSink dialogSink_;
    MessageSink* sink_;
};

}  // namespace orv
