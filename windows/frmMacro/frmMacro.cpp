#include "windows/frmMacro/frmMacro.h"

#include "model/DeviceSettings.h"
#include "windows/controls/CaptionButton.h"
#include "windows/controls/CaptionFit.h"
#include "windows/controls/EnterKey.h"
#include "windows/controls/HorizontalScrollBar.h"
#include "windows/controls/IndexedName.h"
#include "windows/controls/Twips.h"
#include "windows/frmMacro/StepCaption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <string>

namespace vantrel {
namespace {

constexpr std::int32_t DesignClientWidth = 9615;
constexpr std::int32_t DesignClientHeight = 2910;

// The step columns: heading, activation button and deactivation button.
constexpr std::int32_t ColumnLeft = 960;
constexpr std::int32_t ColumnPitch = 1080;
constexpr std::int32_t ColumnWidth = 1095;
constexpr std::int32_t StepLabelTop = 120;
constexpr std::int32_t StepLabelHeight = 240;
constexpr std::int32_t ActivateTop = 360;
constexpr std::int32_t DeactivateTop = 1080;
constexpr std::int32_t StepButtonHeight = 735;

constexpr int LastFirstStep = StepsPerSequence - frmMacro::VisibleSteps;

const char* const UnmatchedPressQuestion =
    "Warning!\r\n"
    "One or more key presses have been detected without\r\n"
    "any matching key release. This will cause the key to\r\n"
    "remain pressed even after the macro is executed.\r\n"
    "\r\n"
    "Is this the intended result?";

/// Where a navigation key on a step button moves the focus: along its
/// sequence, or to the same step of the other one; nothing for other keys.
std::optional<StepPlace> stepAfterKey(int key, StepPlace from) {
    const auto along = [&from](int n) {
        return StepPlace{std::clamp(n, 0, StepsPerSequence - 1), from.sequence};
    };
    switch (key) {
    case Qt::Key_Left:
        return along(from.n - 1);
    case Qt::Key_Right:
        return along(from.n + 1);
    case Qt::Key_PageUp:
        return along(from.n - frmMacro::VisibleSteps);
    case Qt::Key_PageDown:
        return along(from.n + frmMacro::VisibleSteps);
    case Qt::Key_Home:
        return along(0);
    case Qt::Key_End:
        return along(StepsPerSequence - 1);
    case Qt::Key_Up:
        return StepPlace{from.n, Activation};
    case Qt::Key_Down:
        return StepPlace{from.n, Deactivation};
    default:
        return std::nullopt;
    }
}

std::int32_t columnLeft(int column) {
    return ColumnLeft + ColumnPitch * column;
}

/// Step button `column` of the row at `top`, reporting its clicks to
/// `handler` with its column.
CaptionButton* addStepButton(frmMacro& editor, const char* name, int column, std::int32_t top,
                             void (frmMacro::*handler)(std::int16_t)) {
    auto* button = new CaptionButton(&editor);
    button->setObjectName(indexedName(name, column));
    button->setGeometry(twipsRect(columnLeft(column), top, ColumnWidth, StepButtonHeight));
    button->installEventFilter(&editor);
    QObject::connect(button, &QPushButton::clicked, &editor, [&editor, column, handler] {
        (editor.*handler)(static_cast<std::int16_t>(column));
    });
    return button;
}

} // namespace

frmMacro::frmMacro(const Configuration& config, MessagePrompter& messages, StepEditor& stepEditor,
                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , config_(config)
    , messages_(messages)
    , stepEditor_(stepEditor)
    , ScrollBar(new HorizontalScrollBar(this))
    , chkRepeat(new QCheckBox(QStringLiteral("Repeat activation sequence"), this))
    , lstRepeatDelay(new QComboBox(this))
    , cmdOK(new QPushButton(QStringLiteral("OK"), this))
    , cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmMacro"));
    setWindowTitle(QStringLiteral("VANTREL Macro"));
    setFixedSize(pixels(DesignClientWidth), pixels(DesignClientHeight));
    createStepColumns();
    createRepeatControls();
    createCommandButtons();
    chainTabOrder();
    redrawSteps();
    // The program's font is fitted to the main window; the row headings and
    // the repeat box here may need a smaller one.
    setFont(fitCaptionFont(*this, font()));
}

void frmMacro::createStepColumns() {
    // Created row by row, so that Tab walks along a sequence.
    for (int i = 0; i < VisibleSteps; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(indexedName("lblStep", i));
        label->setGeometry(twipsRect(columnLeft(i), StepLabelTop, ColumnWidth, StepLabelHeight));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        lblStep.at(static_cast<std::size_t>(i)) = label;
    }
    for (int i = 0; i < VisibleSteps; ++i) {
        cmdActivate.at(static_cast<std::size_t>(i)) =
            addStepButton(*this, "cmdActivate", i, ActivateTop, &frmMacro::cmdActivate_Click);
    }
    for (int i = 0; i < VisibleSteps; ++i) {
        cmdDeactivate.at(static_cast<std::size_t>(i)) =
            addStepButton(*this, "cmdDeactivate", i, DeactivateTop, &frmMacro::cmdDeactivate_Click);
    }

    const std::array<QString, SequenceCount> headings{QStringLiteral("Activation\nsequence"),
                                                      QStringLiteral("Deactivation\nsequence")};
    const std::array<std::int32_t, SequenceCount> headingTops{480, 1200};
    for (std::size_t s = 0; s < lblSequence.size(); ++s) {
        auto* label = new QLabel(headings.at(s), this);
        label->setObjectName(indexedName("lblSequence", static_cast<int>(s)));
        // Drawn from 60 twips left of the window's edge, where no text can
        // show; the right-aligned heading keeps its right edge and starts at 0.
        label->setGeometry(twipsRect(0, headingTops.at(s), 975 - 60, 495));
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        lblSequence.at(s) = label;
    }

    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setAccessibleName(QStringLiteral("Steps"));
    ScrollBar->setGeometry(twipsRect(960, 1815, 8655, 300));
    ScrollBar->setRange(0, LastFirstStep);
    ScrollBar->setSingleStep(1);
    ScrollBar->setPageStep(VisibleSteps);
    // Steps 9 to 64 can be brought into view without a mouse.
    ScrollBar->setFocusPolicy(Qt::TabFocus);
    connect(ScrollBar, &QScrollBar::valueChanged, this, &frmMacro::ScrollBar_Change);
    connect(ScrollBar, &QScrollBar::sliderMoved, this, &frmMacro::ScrollBar_Scroll);
}

void frmMacro::createRepeatControls() {
    chkRepeat->setObjectName(QStringLiteral("chkRepeat"));
    chkRepeat->setGeometry(twipsRect(960, 2280, 2535, 255));
    lstRepeatDelay->setObjectName(QStringLiteral("lstRepeatDelay"));
    lstRepeatDelay->setAccessibleName(QStringLiteral("Repeat delay"));
    lstRepeatDelay->setGeometry(twipsRect(960, 2520, 2655, 315));
    for (const std::string_view entry : RepeatDelayEntries) {
        lstRepeatDelay->addItem(
            QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    }
    // Every change, by the user or by setupMacro, goes through the handlers,
    // so RepeatDelay always matches what the controls show.
    connect(chkRepeat, &QCheckBox::toggled, this, &frmMacro::chkRepeat_Click);
    connect(lstRepeatDelay, &QComboBox::currentIndexChanged, this, &frmMacro::lstRepeatDelay_Click);
}

void frmMacro::createCommandButtons() {
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(6960, 2280, 1215, 495));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmMacro::cmdOK_Click);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twipsRect(8280, 2280, 1215, 495));
    connect(cmdCancel, &QPushButton::clicked, this, &frmMacro::cmdCancel_Click);
}

void frmMacro::chainTabOrder() {
    // Along the activation row, the deactivation row, then down the window.
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    };
    for (CaptionButton* button : cmdActivate) {
        chain(button);
    }
    for (CaptionButton* button : cmdDeactivate) {
        chain(button);
    }
    for (QWidget* control :
         std::array<QWidget*, 5>{ScrollBar, chkRepeat, lstRepeatDelay, cmdOK, cmdCancel}) {
        chain(control);
    }
}

// ---------------------------------------------------------------- set-up and steps

void frmMacro::setupMacro(MacroStore& store, std::int16_t index) {
    store_ = &store;
    MacroIndex = index;
    WorkMacro = config_.input(index);
    ScrollBar->setValue(0);
    redrawSteps();

    const std::uint8_t repeatDelay = WorkMacro.RepeatDelay;
    lstRepeatDelay->setCurrentIndex(repeatDelay == 0 ? 0 : repeatDelay - 1);
    chkRepeat->setChecked(repeatDelay != 0);
    // Neither control may have changed; the list's enabled state must follow
    // the box all the same.
    chkRepeat_Click();
    // Every open starts on the first step, not where the last one ended: a
    // reflex Enter then edits a step instead of closing on OK.
    cmdActivate[0]->setFocus(Qt::OtherFocusReason);
}

void frmMacro::setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                      bool pressRelease) {
    if (index < 0 || index >= StepPositionCount) {
        return; // not a step this editor hands out
    }
    stepAt(WorkMacro, index) = MacroStep{keyType, keyValue, pressRelease};
    redrawSteps();
}

void frmMacro::redrawSteps() {
    // The slider position follows a drag before the value does.
    const int first = ScrollBar->sliderPosition();
    for (int i = 0; i < VisibleSteps; ++i) {
        const auto column = static_cast<std::size_t>(i);
        const int n = first + i;
        lblStep.at(column)->setText(QStringLiteral("Step %1").arg(n + 1));
        cmdActivate.at(column)->setNamePrefix(QStringLiteral("Activation step %1: ").arg(n + 1));
        cmdDeactivate.at(column)->setNamePrefix(
            QStringLiteral("Deactivation step %1: ").arg(n + 1));
        cmdActivate.at(column)->setCaption(stepCaption(WorkMacro.step(n, Activation)));
        cmdDeactivate.at(column)->setCaption(stepCaption(WorkMacro.step(n, Deactivation)));
    }
}

void frmMacro::ScrollBar_Change() {
    redrawSteps();
}

void frmMacro::ScrollBar_Scroll() {
    redrawSteps();
}

// ---------------------------------------------------------------- keyboard

void frmMacro::keyPressEvent(QKeyEvent* event) {
    // Reached only from controls that do not act on Enter themselves: a
    // focused push button, a step button included, takes it as a click.
    if (isEnterKey(*event)) {
        cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmMacro::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (const std::optional<StepPlace> shown = stepShownBy(watched)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (const std::optional<StepPlace> target = stepAfterKey(key->key(), *shown)) {
                focusStep(*target);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<StepPlace> frmMacro::stepShownBy(const QObject* object) const {
    for (int sequence : {Activation, Deactivation}) {
        for (int column = 0; column < VisibleSteps; ++column) {
            if (stepButton(column, sequence) == object) {
                return StepPlace{ScrollBar->value() + column, sequence};
            }
        }
    }
    return std::nullopt;
}

void frmMacro::focusStep(StepPlace place) {
    const int first = ScrollBar->value();
    if (place.n < first) {
        ScrollBar->setValue(place.n);
    } else if (place.n >= first + VisibleSteps) {
        ScrollBar->setValue(place.n - VisibleSteps + 1);
    }
    stepButton(place.n - ScrollBar->value(), place.sequence)->setFocus(Qt::TabFocusReason);
}

CaptionButton* frmMacro::stepButton(int column, int sequence) const {
    const auto& row = sequence == Activation ? cmdActivate : cmdDeactivate;
    return row.at(static_cast<std::size_t>(column));
}

// ---------------------------------------------------------------- repeat

void frmMacro::chkRepeat_Click() {
    const bool repeat = chkRepeat->isChecked();
    lstRepeatDelay->setEnabled(repeat);
    WorkMacro.RepeatDelay =
        repeat ? static_cast<std::uint8_t>(lstRepeatDelay->currentIndex() + 1) : std::uint8_t{0};
}

void frmMacro::lstRepeatDelay_Click() {
    chkRepeat_Click();
}

// ---------------------------------------------------------------- editing

void frmMacro::editStep(int position) {
    stepEditor_.editStep(*this, static_cast<std::int16_t>(position), stepAt(WorkMacro, position));
}

void frmMacro::cmdActivate_Click(std::int16_t index) {
    editStep(stepPosition(ScrollBar->value() + index, Activation));
}

void frmMacro::cmdDeactivate_Click(std::int16_t index) {
    editStep(stepPosition(ScrollBar->value() + index, Deactivation));
}

// ---------------------------------------------------------------- OK and Cancel

void frmMacro::cmdOK_Click() {
    Q_ASSERT_X(store_ != nullptr, "frmMacro", "shown without setupMacro");
    compactSequences(WorkMacro);
    // Shown at once, so that an editor kept open by the question or the size
    // limit already shows the steps as they would be stored.
    redrawSteps();
    if (findUnmatchedPress(WorkMacro).has_value() &&
        messages_.showMessage(UnmatchedPressQuestion, ApplicationTitle, MessageIcon::Exclamation,
                              MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    // Refused over the size limit: the store has said so, and the editor
    // stays open on the compacted copy.
    if (store_->setMacro(MacroIndex, WorkMacro)) {
        accept();
    }
}

void frmMacro::cmdCancel_Click() {
    // Only hides, as the close request and Esc do through the same reject.
    reject();
}

} // namespace vantrel
