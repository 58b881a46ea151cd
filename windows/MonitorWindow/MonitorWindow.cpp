#include "windows/MonitorWindow/MonitorWindow.h"

#include "windows/MonitorWindow/ElidedLabel.h"
#include "windows/MonitorWindow/HatIndicator.h"
#include "windows/MonitorWindow/MotionIndicator.h"
#include "windows/MonitorWindow/PanelGrid.h"
#include "windows/controls/EnterKey.h"
#include "windows/controls/LiveRegion.h"

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

/// The lines list shows at least this many lines, and takes whatever height
/// the cells leave.
constexpr int VisibleLines = 2;
/// Twelve columns show 108 inputs in nine rows, which with the rest fits a
/// 1280 × 800 screen.
constexpr int InputColumns = 12;
/// The four rotary directions in one row, beside the motion and the hats.
constexpr int RotaryColumns = 4;
/// The counter is the first thing a wiring session looks at.
constexpr double CounterScale = 1.4;
/// The last press is read from the control panel, an arm's length or more
/// from the screen: over twice the height of the cells' text.
constexpr double LastPressScale = 2.2;
constexpr int Spacing = 4;
constexpr int SwatchSize = 12;
/// Between the parts of the last press: "Input 9 · P1 Button 5 · Z".
const QString Separator = QStringLiteral(" \u00b7 ");

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

/// The lines list asks only for its few lines, so that the window's size
/// comes from the cells; the layout gives it the rest.
class LineList final : public QListWidget {
public:
    using QListWidget::QListWidget;
    [[nodiscard]] QSize sizeHint() const override {
        return {QListWidget::sizeHint().width(), minimumHeight()};
    }
};

QFont scaled(QFont font, double scale) {
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    } else {
        font.setPixelSize(static_cast<int>(font.pixelSize() * scale));
    }
    return font;
}

/// One entry of the cells' legend: a swatch of the colour, and its meaning.
QWidget* legendEntry(const QColor& colour, const QString& meaning, const char* name,
                     QWidget* parent) {
    auto* entry = new QWidget(parent);
    auto* row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(Spacing);
    auto* swatch = new QLabel(entry);
    swatch->setFixedSize(SwatchSize, SwatchSize);
    swatch->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid gray;").arg(colour.name()));
    auto* words = new QLabel(meaning, entry);
    words->setObjectName(QString::fromUtf8(name));
    row->addWidget(swatch);
    row->addWidget(words);
    return entry;
}

} // namespace

MonitorWindow::MonitorWindow(QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("VANTREL Input Test"));
    createMenus();

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setSpacing(Spacing);
    column->addWidget(createHeader());
    column->addWidget(createNoticeRow());

    inputGrid_ =
        new PanelGrid(QStringLiteral("Inputs"), QStringLiteral("Input 108"), InputColumns, client);
    inputGrid_->setObjectName(QStringLiteral("inputGrid"));
    column->addLayout(createInputsCaption());
    column->addWidget(inputGrid_);
    column->addLayout(createIndicatorRow());

    lineList_ = new LineList(client);
    lineList_->setObjectName(QStringLiteral("lineList"));
    lineList_->setMinimumHeight(VisibleLines * lineList_->fontMetrics().height() +
                                2 * lineList_->frameWidth() + 2);
    lineList_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    column->addLayout(
        captioned(QStringLiteral("&Not matched, or not told apart:"), lineList_, client), 1);
    setCentralWidget(client);
    setCounter(0, 0);
    showLastPress({}, {});
}

QPushButton* MonitorWindow::button(const QString& caption, const char* name, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromUtf8(name));
    made->installEventFilter(this);
    return made;
}

void MonitorWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open Configuration..."), QKeySequence::Open, this,
                    &MonitorWindow::openConfigurationClicked);
    file->addAction(QStringLiteral("Open &Recording..."), this,
                    &MonitorWindow::openRecordingClicked);
    file->addSeparator();
    file->addAction(QStringLiteral("Learn &Wiring..."), this, &MonitorWindow::learnWiringClicked)
        ->setObjectName(QStringLiteral("mnuLearnWiring"));
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
    noticeConfiguration_ =
        button(QStringLiteral("Open &Configuration..."), "noticeConfiguration", noticeRow_);
    noticeRecording_ = button(QStringLiteral("Open Recor&ding..."), "noticeRecording", noticeRow_);
    connect(noticeConfiguration_, &QPushButton::clicked, this,
            &MonitorWindow::openConfigurationClicked);
    connect(noticeRecording_, &QPushButton::clicked, this, &MonitorWindow::openRecordingClicked);
    row->addWidget(notice_, 1);
    row->addWidget(noticeConfiguration_);
    row->addWidget(noticeRecording_);
    noticeRow_->hide();
    return noticeRow_;
}

// The counter and the last press, then what is not seen yet and where the
// configuration and the presses come from. Nothing in it takes its width
// from what it shows, so that nothing moves as the counter goes up.
QWidget* MonitorWindow::createHeader() {
    auto* holder = new QWidget(this);
    auto* rows = new QVBoxLayout(holder);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(Spacing);

    auto* top = new QHBoxLayout;
    counter_ = new QLabel(holder);
    counter_->setObjectName(QStringLiteral("seenCounter"));
    QFont large = scaled(counter_->font(), CounterScale);
    large.setBold(true);
    counter_->setFont(large);
    lastPress_ = new QLabel(holder);
    lastPress_->setObjectName(QStringLiteral("lastPress"));
    lastPress_->setTextFormat(Qt::PlainText);
    lastPress_->setFont(scaled(lastPress_->font(), LastPressScale));
    lastPress_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lastPress_->setFocusPolicy(Qt::TabFocus); // so that a screen reader comes upon it
    auto* reset = button(QStringLiteral("&Reset Marks"), "resetMarks", holder);
    connect(reset, &QPushButton::clicked, this, &MonitorWindow::resetClicked);
    top->addWidget(counter_);
    top->addSpacing(3 * Spacing);
    top->addWidget(lastPress_, 1);
    top->addWidget(reset);
    rows->addLayout(top);

    auto* below = new QHBoxLayout;
    unseen_ = new ElidedLabel(Qt::ElideRight, holder);
    unseen_->setObjectName(QStringLiteral("unseen"));
    sources_ = new ElidedLabel(Qt::ElideMiddle, holder);
    sources_->setObjectName(QStringLiteral("sources"));
    below->addWidget(unseen_, 3);
    below->addSpacing(3 * Spacing);
    below->addWidget(sources_, 2);
    rows->addLayout(below);
    return holder;
}

QHBoxLayout* MonitorWindow::createInputsCaption() {
    auto* row = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("&Inputs"), this);
    caption->setBuddy(inputGrid_);
    row->addWidget(caption);
    row->addStretch(1);
    row->addWidget(
        legendEntry(PanelGrid::seenColour(), QStringLiteral("seen"), "legendSeen", this));
    row->addWidget(legendEntry(PanelGrid::maybeColour(),
                               QStringLiteral("? maybe: not told apart, not counted"),
                               "legendMaybe", this));
    row->addWidget(legendEntry(palette().color(QPalette::Highlight), QStringLiteral("held"),
                               "legendHeld", this));
    return row;
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
    sources_->setFullText(text);
}

const PanelCell* MonitorWindow::cellOf(const ActionSource& source) const {
    for (const PanelGrid* grid : {inputGrid_, rotaryGrid_}) {
        if (const int row = grid->rowOf(source); row >= 0) {
            return &grid->cells().at(static_cast<std::size_t>(row));
        }
    }
    return nullptr;
}

void MonitorWindow::showLastPress(const std::vector<ActionSource>& controls,
                                  const QString& action) {
    QString text;
    if (action.isEmpty()) {
        text = QStringLiteral("No press yet");
    } else if (controls.empty()) {
        text = QStringLiteral("not in the configuration") + Separator + action;
    } else if (controls.size() == 1) {
        const PanelCell* cell = cellOf(controls.front());
        text = cell == nullptr
                   ? action
                   : QString::fromStdString(cell->name) +
                         (cell->label.empty() ? QString()
                                              : Separator + QString::fromStdString(cell->label)) +
                         Separator + action;
    } else {
        QStringList names;
        for (const ActionSource& source : controls) {
            if (const PanelCell* cell = cellOf(source)) {
                names << QString::fromStdString(cell->name) +
                             (cell->label.empty()
                                  ? QString()
                                  : " (" + QString::fromStdString(cell->label) + ")");
            }
        }
        text = "maybe " + names.join(QStringLiteral(" or ")) + Separator + action;
    }
    announceText(*lastPress_, text);
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

void MonitorWindow::setMaybe(const ActionSource& source, bool maybe) {
    for (PanelGrid* grid : {inputGrid_, rotaryGrid_}) {
        if (const int row = grid->rowOf(source); row >= 0) {
            grid->setMaybe(row, maybe);
        }
    }
}

void MonitorWindow::clearMarks() {
    for (PanelGrid* grid : {inputGrid_, rotaryGrid_}) {
        for (int row = 0; row < grid->count(); ++row) {
            grid->setSeen(row, 0);
            grid->setMaybe(row, false);
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
    // As wide as the counter can become, so that it never moves what is beside it.
    counter_->setFixedWidth(
        counter_->fontMetrics().horizontalAdvance(QStringLiteral("Seen %1 of %1").arg(total)) +
        2 * Spacing);
    counter_->setText(QStringLiteral("Seen %1 of %2").arg(seen).arg(total));
}

void MonitorWindow::showUnseen(const std::vector<ActionSource>& controls) {
    QStringList names;
    for (const ActionSource& source : controls) {
        if (const PanelCell* cell = cellOf(source)) {
            names << QString::fromStdString(cell->byLabel());
        }
    }
    unseen_->setFullText(names.isEmpty() ? QString()
                                         : QStringLiteral("Not seen: ") + names.join(", "));
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

bool MonitorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* pressed = qobject_cast<QPushButton*>(watched);
        if (pressed != nullptr && isEnterKey(*static_cast<QKeyEvent*>(event))) {
            pressed->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vantrel
