// The preview's zoom: the 表示 menu, its keys, the status bar's zoom and Ctrl+wheel over the
// preview.
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QWheelEvent>

#include "app/MainUnit.h"
#include "ui_MainWindow.h"

namespace orv {

namespace {

constexpr int kFitZoomIndex = static_cast<int>(kZoomItems.size());

}  // namespace

void TfrmMain::CreateZoomControls() {
    Ui::TfrmMain& c = *ui_;
    auto* view = new QMenu(QStringLiteral("表示(&V)"), this);
    view->setObjectName(QStringLiteral("mnuView"));
    menuBar()->insertMenu(c.mnuHelp->menuAction(), view);
    QAction* zoomIn = view->addAction(QStringLiteral("拡大(&I)"), this, &TfrmMain::mnuZoomInClick);
    zoomIn->setObjectName(QStringLiteral("mnuZoomIn"));
    // Ctrl+= too: on many keyboards + needs Shift.
    zoomIn->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    QAction* zoomOut =
        view->addAction(QStringLiteral("縮小(&O)"), this, &TfrmMain::mnuZoomOutClick);
    zoomOut->setObjectName(QStringLiteral("mnuZoomOut"));
    zoomOut->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    QAction* actual = view->addAction(QStringLiteral("100%(&1)"), this, &TfrmMain::mnuZoom100Click);
    actual->setObjectName(QStringLiteral("mnuZoom100"));
    actual->setShortcut(QKeySequence(QStringLiteral("Ctrl+1")));
    QAction* fit =
        view->addAction(QStringLiteral("ページ全体(&F)"), this, &TfrmMain::mnuZoomFitClick);
    fit->setObjectName(QStringLiteral("mnuZoomFit"));
    fit->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    view->addSeparator();
    cutGuides_ = view->addAction(QStringLiteral("仕上がり線と安全線(&G)"));
    cutGuides_->setObjectName(QStringLiteral("mnuCutGuides"));
    cutGuides_->setCheckable(true);
    cutGuides_->setToolTip(QStringLiteral(
        "裁ち落とす線と、その 3 mm 内側の線を表示します。文字は内側の線の中に収めます"));
    connect(cutGuides_, &QAction::toggled, this, [this] { RepaintPreview(); });

    // The zoom that shows, with a slider over the list's range, in the status bar.
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("lblZoom"));
    zoomLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("200%")) + 8);
    zoomLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    zoomSlider_ = new QSlider(Qt::Horizontal, this);
    zoomSlider_->setObjectName(QStringLiteral("sldZoom"));
    zoomSlider_->setRange(ZoomOfItem(kZoomItems.back()), ZoomOfItem(kZoomItems.front()));
    zoomSlider_->setSingleStep(10);
    zoomSlider_->setPageStep(10);
    zoomSlider_->setFixedWidth(120);
    zoomSlider_->setToolTip(QStringLiteral("表示倍率"));
    ui_->StatusBar1->addPermanentWidget(zoomSlider_);
    ui_->StatusBar1->addPermanentWidget(zoomLabel_);
    connect(zoomSlider_, &QSlider::valueChanged, this, [this](int value) {
        // The nearest entry of the list, which the slider moves in steps of.
        int nearest = 0;
        for (int i = 0; i < kFitZoomIndex; ++i) {
            if (std::abs(ZoomOfItem(kZoomItems[i]) - value) <
                std::abs(ZoomOfItem(kZoomItems[nearest]) - value)) {
                nearest = i;
            }
        }
        if (ui_->cboZoom->currentIndex() == nearest) return;
        ui_->cboZoom->setCurrentIndex(nearest);
        cboZoomClick();
    });
    ui_->ScrollBox1->viewport()->installEventFilter(this);
    ShowZoom();
}

void TfrmMain::ShowZoom() {
    if (zoomLabel_ == nullptr) return;
    const int zoom = Zoom();
    zoomLabel_->setText(QStringLiteral("%1%").arg(zoom));
    const QSignalBlocker quiet(zoomSlider_);
    zoomSlider_->setValue(zoom);
}

void TfrmMain::ZoomToItem(int index) {
    if (index < 0 || index > kFitZoomIndex) return;
    ui_->cboZoom->setCurrentIndex(index);
    cboZoomClick();
}

// Both step from the zoom that shows, the fitted one of 「ページ全体」 included.
void TfrmMain::mnuZoomInClick() {
    ZoomToItem(ZoomStepItem(Zoom(), +1));
}

void TfrmMain::mnuZoomOutClick() {
    ZoomToItem(ZoomStepItem(Zoom(), -1));
}

void TfrmMain::mnuZoom100Click() {
    ZoomToItem(kDefaultZoomIndex);
}

void TfrmMain::mnuZoomFitClick() {
    ZoomToFit();
}

bool TfrmMain::WheelZoom(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) return false;
    const int index = ZoomStepItem(Zoom(), event->angleDelta().y() > 0 ? +1 : -1);
    if (index < 0) return true;
    // The point of the sheet under the pointer stays under it.
    QWidget* viewport = ui_->ScrollBox1->viewport();
    QWidget* box = ui_->PaintBox1;
    const QPoint pointer = event->position().toPoint();
    const QPoint before = box->mapFrom(viewport, pointer);
    const double fx = box->width() > 0 ? static_cast<double>(before.x()) / box->width() : 0.5;
    const double fy = box->height() > 0 ? static_cast<double>(before.y()) / box->height() : 0.5;
    ZoomToItem(index);
    const QPoint after = box->mapTo(viewport, QPoint(static_cast<int>(fx * box->width()),
                                                     static_cast<int>(fy * box->height())));
    QScrollBar* across = ui_->ScrollBox1->horizontalScrollBar();
    QScrollBar* down = ui_->ScrollBox1->verticalScrollBar();
    across->setValue(across->value() + after.x() - pointer.x());
    down->setValue(down->value() + after.y() - pointer.y());
    return true;
}

}  // namespace orv
