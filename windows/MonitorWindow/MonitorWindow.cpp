#include "windows/MonitorWindow/MonitorWindow.h"

#include "windows/MonitorWindow/HatIndicator.h"
#include "windows/MonitorWindow/MotionIndicator.h"
#include "windows/MonitorWindow/PanelGrid.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {
namespace {

/// The lines list shows this many lines and scrolls for more.
constexpr int VisibleLines = 4;
/// The counter is the first thing a wiring session looks at.
constexpr double CounterScale = 1.4;

} // namespace

MonitorWindow::MonitorWindow(QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("VANTREL Input Test"));
    createMenus();

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    sources_ = new QLabel(client);
    sources_->setObjectName(QStringLiteral("sources"));
    sources_->setTextFormat(Qt::PlainText);
    column->addWidget(sources_);
    column->addWidget(createNoticeRow());
    column->addWidget(createCounterRow());

    auto* inputsCaption = new QLabel(QStringLiteral("&Inputs"), client);
    inputGrid_ = new PanelGrid(QStringLiteral("Inputs"), client);
    inputGrid_->setObjectName(QStringLiteral("inputGrid"));
    inputsCaption->setBuddy(inputGrid_);
    column->addWidget(inputsCaption);
    column->addWidget(inputGrid_, 1);
    column->addWidget(createIndicatorRow());

    auto* linesCaption =
        new QLabel(QStringLiteral("&Not matched, or matched by more than one control:"), client);
    lineList_ = new QListWidget(client);
    lineList_->setObjectName(QStringLiteral("lineList"));
    lineList_->setAccessibleName(
        QStringLiteral("Not matched, or matched by more than one control"));
    lineList_->setFixedHeight(VisibleLines * lineList_->fontMetrics().height() +
                              2 * lineList_->frameWidth() + 4);
    linesCaption->setBuddy(lineList_);
    column->addWidget(linesCaption);
    column->addWidget(lineList_);
    setCentralWidget(client);
    setCounter(0, 0);
}

void MonitorWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open Configuration..."), QKeySequence::Open, this,
                    &MonitorWindow::openConfigurationClicked);
    file->addAction(QStringLiteral("Open &Recording..."), this,
                    &MonitorWindow::openRecordingClicked);
    file->addSeparator();
    logAction_ =
        file->addAction(QStringLiteral("&Log to File..."), this, &MonitorWindow::logClicked);
    logAction_->setObjectName(QStringLiteral("mnuLog"));
    logAction_->setCheckable(true);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
}

QWidget* MonitorWindow::createNoticeRow() {
    noticeRow_ = new QWidget(this);
    auto* row = new QHBoxLayout(noticeRow_);
    row->setContentsMargins(0, 0, 0, 0);
    notice_ = new QLabel(noticeRow_);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setWordWrap(true);
    notice_->setFocusPolicy(Qt::TabFocus); // so that a screen reader comes upon it
    noticeConfiguration_ = new QPushButton(QStringLiteral("Open &Configuration..."), noticeRow_);
    noticeRecording_ = new QPushButton(QStringLiteral("Open Re&cording..."), noticeRow_);
    connect(noticeConfiguration_, &QPushButton::clicked, this,
            &MonitorWindow::openConfigurationClicked);
    connect(noticeRecording_, &QPushButton::clicked, this, &MonitorWindow::openRecordingClicked);
    row->addWidget(notice_, 1);
    row->addWidget(noticeConfiguration_);
    row->addWidget(noticeRecording_);
    noticeRow_->hide();
    return noticeRow_;
}

QWidget* MonitorWindow::createCounterRow() {
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    counter_ = new QLabel(holder);
    counter_->setObjectName(QStringLiteral("seenCounter"));
    QFont large = counter_->font();
    large.setPointSizeF(large.pointSizeF() * CounterScale);
    large.setBold(true);
    counter_->setFont(large);
    auto* reset = new QPushButton(QStringLiteral("&Reset Marks"), holder);
    reset->setObjectName(QStringLiteral("resetMarks"));
    connect(reset, &QPushButton::clicked, this, &MonitorWindow::resetClicked);
    row->addWidget(counter_, 1);
    row->addWidget(reset);
    return holder;
}

QWidget* MonitorWindow::createIndicatorRow() {
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);

    rotaryBox_ = new QGroupBox(QStringLiteral("Rotary switches"), holder);
    auto* rotaryLayout = new QVBoxLayout(rotaryBox_);
    rotaryGrid_ = new PanelGrid(QStringLiteral("Rotary switches"), rotaryBox_);
    rotaryGrid_->setObjectName(QStringLiteral("rotaryGrid"));
    rotaryLayout->addWidget(rotaryGrid_);
    row->addWidget(rotaryBox_, 2);

    auto* motionBox = new QGroupBox(QStringLiteral("Trackball and spinner"), holder);
    auto* motionLayout = new QVBoxLayout(motionBox);
    motion_ = new MotionIndicator(motionBox);
    motionLayout->addWidget(motion_);
    row->addWidget(motionBox, 1);

    hatBox_ = new QGroupBox(QStringLiteral("Hats"), holder);
    hatRow_ = new QHBoxLayout(hatBox_);
    row->addWidget(hatBox_);
    return holder;
}

void MonitorWindow::showPanel(std::vector<PanelCell> inputs,
                              std::vector<PanelCell> rotaryDirections,
                              const std::vector<int>& hats) {
    inputGrid_->setCells(std::move(inputs));
    rotaryBox_->setVisible(!rotaryDirections.empty());
    rotaryGrid_->setCells(std::move(rotaryDirections));
    for (HatIndicator* hat : hats_) {
        delete hat;
    }
    hats_.clear();
    for (const int hat : hats) {
        hats_.push_back(new HatIndicator(hat, hatBox_));
        hatRow_->addWidget(hats_.back());
    }
    hatBox_->setVisible(!hats.empty());
    motion_->clear();
    clearLines();
}

void MonitorWindow::showSources(const QString& text) {
    sources_->setText(text);
}

void MonitorWindow::showNotice(const QString& text, int offers) {
    notice_->setText(text);
    noticeConfiguration_->setVisible((offers & OfferConfiguration) != 0);
    noticeRecording_->setVisible((offers & OfferRecording) != 0);
    noticeRow_->show();
}

void MonitorWindow::clearNotice() {
    notice_->clear();
    noticeRow_->hide();
}

void MonitorWindow::setSeen(const ActionSource& source, int count) {
    for (PanelGrid* grid : {inputGrid_, rotaryGrid_}) {
        if (const int row = grid->rowOf(source); row >= 0) {
            grid->setSeen(row, count);
        }
    }
}

void MonitorWindow::clearMarks() {
    for (PanelGrid* grid : {inputGrid_, rotaryGrid_}) {
        for (int row = 0; row < grid->count(); ++row) {
            grid->setSeen(row, 0);
            grid->setHeld(row, false);
        }
    }
    for (HatIndicator* hat : hats_) {
        hat->setDirection(std::nullopt);
    }
    motion_->clear();
    clearLines();
}

void MonitorWindow::setHeld(const ActionSource& source, bool held) {
    for (PanelGrid* grid : {inputGrid_, rotaryGrid_}) {
        if (const int row = grid->rowOf(source); row >= 0) {
            grid->setHeld(row, held);
        }
    }
}

void MonitorWindow::setCounter(int seen, int total) {
    counter_->setText(QStringLiteral("Seen %1 of %2").arg(seen).arg(total));
}

void MonitorWindow::addLine(const QString& line) {
    lineList_->addItem(line);
    lineList_->scrollToBottom();
}

void MonitorWindow::clearLines() {
    lineList_->clear();
}

void MonitorWindow::showMotion(const std::vector<MotionAxis>& axes) {
    motion_->showMotion(axes);
}

void MonitorWindow::showHat(int hat, std::optional<int> direction) {
    for (HatIndicator* indicator : hats_) {
        if (indicator->hat() == hat) {
            indicator->setDirection(direction);
        }
    }
}

std::optional<int> MonitorWindow::hatDirection(int hat) const {
    for (const HatIndicator* indicator : hats_) {
        if (indicator->hat() == hat) {
            return indicator->direction();
        }
    }
    return std::nullopt;
}

void MonitorWindow::showLogging(bool logging) {
    logAction_->setChecked(logging);
}

void MonitorWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        emit activeChanged(isActiveWindow());
    }
    QMainWindow::changeEvent(event);
}

void MonitorWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    QMainWindow::closeEvent(event);
}

} // namespace vantrel
