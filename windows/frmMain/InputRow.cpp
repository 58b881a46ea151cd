#include "windows/frmMain/InputRow.h"

#include "windows/controls/CaptionButton.h"
#include "windows/controls/IndexedName.h"
#include "windows/controls/Twips.h"
#include "windows/frmMain/ScrollLayout.h"

#include <QLabel>
#include <QRadioButton>
#include <utility>

namespace vantrel {

InputRow::InputRow(int index, Handlers handlers, QWidget* parent)
    : QWidget(parent)
    , index_(index)
    , lblInput_(new QLabel(this))
    , optSingleKey_(new QRadioButton(QStringLiteral("Single Key"), this))
    , optMacroSequence_(new QRadioButton(QStringLiteral("Macro Sequence"), this))
    , cmdKey_(new CaptionButton(this)) {
    setObjectName(indexedName("picFrame", index));
    resize(pixels(5355), pixels(RowHeightTwips));

    lblInput_->setObjectName(indexedName("lblInput", index));
    lblInput_->setGeometry(twipsRect(120, 120, 975, 255));
    QFont bold = lblInput_->font();
    bold.setBold(true);
    lblInput_->setFont(bold);

    // Radio buttons with the same parent are exclusive among themselves, and
    // each row is its own parent, so a row's pair is a group of its own.
    optSingleKey_->setObjectName(indexedName("optSingleKey", 2 * index));
    optSingleKey_->setGeometry(twipsRect(1080, 0, 1575, 255));
    optSingleKey_->setChecked(true);
    optMacroSequence_->setObjectName(indexedName("optSingleKey", 2 * index + 1));
    optMacroSequence_->setGeometry(twipsRect(1080, 240, 1575, 255));

    cmdKey_->setObjectName(indexedName("cmdKey", index));
    cmdKey_->setGeometry(twipsRect(2760, 0, 2535, 495));
    cmdKey_->setCaption(QStringLiteral("Not Used"));

    connect(cmdKey_, &QPushButton::clicked, this,
            [index, report = handlers.keyClicked] { report(index); });
    connect(optSingleKey_, &QRadioButton::clicked, this,
            [index, report = handlers.optionClicked] { report(2 * index); });
    connect(optMacroSequence_, &QRadioButton::clicked, this,
            [index, report = std::move(handlers.optionClicked)] { report(2 * index + 1); });
    connect(optSingleKey_, &QRadioButton::toggled, this, [this] { nameControls(); });
}

bool InputRow::singleKeySelected() const {
    return optSingleKey_->isChecked();
}

void InputRow::selectSingleKey(bool singleKey) {
    (singleKey ? optSingleKey_ : optMacroSequence_)->setChecked(true);
    nameControls();
}

void InputRow::setCaption(const QString& caption) {
    cmdKey_->setCaption(caption);
}

QString InputRow::caption() const {
    return cmdKey_->caption();
}

void InputRow::setLabel(const QString& label) {
    lblInput_->setText(label);
    nameControls();
}

void InputRow::setWiring(const QString& wiring) {
    for (QWidget* control : {static_cast<QWidget*>(lblInput_), static_cast<QWidget*>(cmdKey_)}) {
        control->setToolTip(wiring);
        control->setAccessibleDescription(wiring);
    }
}

void InputRow::nameControls() {
    const QString input = lblInput_->text() + QStringLiteral(": ");
    optSingleKey_->setAccessibleName(input + optSingleKey_->text());
    optMacroSequence_->setAccessibleName(input + optMacroSequence_->text());
    const QRadioButton* selected = singleKeySelected() ? optSingleKey_ : optMacroSequence_;
    cmdKey_->setNamePrefix(input + selected->text() + QStringLiteral(", "));
}

bool InputRow::buttonHasFocus() const {
    return cmdKey_->hasFocus();
}

void InputRow::takeFocus(bool onButton, Qt::FocusReason reason) {
    QWidget* option = optSingleKey_->isChecked() ? optSingleKey_ : optMacroSequence_;
    (onButton ? static_cast<QWidget*>(cmdKey_) : option)->setFocus(reason);
}

} // namespace vantrel
