#include "windows/MonitorWindow/MonitorWindow.h"

#include "windows/MonitorWindow/HatIndicator.h"
#include "windows/MonitorWindow/MotionIndicator.h"
#include "windows/MonitorWindow/PanelGrid.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vantrel {
namespace {

/// The lines list shows this many lines and scrolls for more.
constexpr int VisibleLines = 3;
/// Twelve columns show 108 inputs in nine rows, which with the rest fits a
/// 1280 × 800 screen.
constexpr int InputColumns = 12;
/// The four rotary directions in one row, beside the motion and the hats.
constexpr int RotaryColumns = 4;
/// The counter is the first thing a wiring session looks at.
constexpr double CounterScale = 1.4;
constexpr int Spacing = 4;

/// A caption over a control, which names it for a screen reader and takes
/// the focus to it with its mnemonic.
QVBoxLayout* captioned(const QString& caption, QWidget* control, QWidget* parent) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    column->addWidget(label);
    column->addWidget(control, 1);
    return column;
}

} // namespace

MonitorWindow::MonitorWindow(QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("VANTREL Input Test"));
    createMenus();

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setSpacing(Spacing);
    column->addWidget(createCounterRow());
    column->addWidget(createNoticeRow());

    inputGrid_ =
        new PanelGrid(QStringLiteral("Inputs"), QStringLiteral("Input 108"), InputColumns, client);
    inputGrid_->setObjectName(QStringLiteral("inputGrid"));
    column->addLayout(captioned(QStringLiteral("&Inputs"), inputGrid_, client), 1);
    column->addLayout(createIndicatorRow());

    lineList_ = new QListWidget(client);
    lineList_->setObjectName(QStringLiteral("lineList"));
    lineList_->setFixedHeight(VisibleLines * lineList_->fontMetrics().height() +
                              2 * lineList_->frameWidth() + 2);
    column->addLayout(captioned(
        QStringLiteral("&Not matched, or matched by more than one control:"), lineList_, client));
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
    noticeConfiguration_->setObjectName(QStringLiteral("noticeConfiguration"));
    noticeRecording_->setObjectName(QStringLiteral("noticeRecording"));
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
    sources_ = new QLabel(holder);
    sources_->setObjectName(QStringLiteral("sources"));
    sources_->setTextFormat(Qt::PlainText);
    sources_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* reset = new QPushButton(QStringLiteral("&Reset Marks"), holder);
    reset->setObjectName(QStringLiteral("resetMarks"));
    connect(reset, &QPushButton::clicked, this, &MonitorWindow::resetClicked);
    row->addWidget(counter_);
    row->addSpacing(3 * Spacing);
    row->addWidget(sources_, 1);
    row->addWidget(reset);
    return holder;
}

QHBoxLayout* MonitorWindow::createIndicatorRow() {
    auto* row = new QHBoxLayout;
    rotaryBox_ = new QWidget(this);
    rotaryGrid_ =
        new PanelGrid(QStringLiteral("Rotary switches"),
                      QStringLiteral("Rotary 2 counterclockwise"), RotaryColumns, rotaryBox_);
    rotaryGrid_->setObjectName(QStringLiteral("rotaryGrid"));
    auto* rotaryColumn = captioned(QStringLiteral("R&otary switches"), rotaryGrid_, rotaryBox_);
    rotaryColumn->setContentsMargins(0, 0, 0, 0);
    rotaryBox_->setLayout(rotaryColumn);
    row->addWidget(rotaryBox_);

    motion_ = new MotionIndicator(this);
    row->addLayout(captioned(QStringLiteral("Trackball and spinner"), motion_, this), 1);

    hatBox_ = new QWidget(this);
    auto* hatColumn = new QVBoxLayout(hatBox_);
    hatColumn->setContentsMargins(0, 0, 0, 0);
    hatColumn->setSpacing(2);
    hatColumn->addWidget(new QLabel(QStringLiteral("Hats"), hatBox_));
    hatRow_ = new QHBoxLayout;
    hatColumn->addLayout(hatRow_);
    row->addWidget(hatBox_);
    return row;
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
    growToShowEveryCell();
}

void MonitorWindow::growToShowEveryCell() {
    if (isMaximized() || isFullScreen()) {
        return;
    }
    centralWidget()->layout()->activate();
    QSize wanted = size().expandedTo(sizeHint());
    if (const QScreen* screen = this->screen()) {
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    }
    resize(wanted);
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
