#include "windows/controls/CaptionFit.h"

#include "windows/controls/CaptionButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <optional>

namespace vantrel {
namespace {

constexpr double LargestPointSize = 8.0;
constexpr double SmallestPointSize = 6.0;
constexpr double PointSizeStep = 0.5;

/// Each line of the label's text on its own, one under the other.
bool labelFits(const QLabel& label) {
    const QFontMetrics metrics = label.fontMetrics();
    const QRect room = label.contentsRect();
    const QStringList lines = label.text().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) > room.width()) {
            return false;
        }
    }
    const auto extraLines = static_cast<int>(lines.size()) - 1;
    return metrics.height() + extraLines * metrics.lineSpacing() <= room.height();
}

/// Check boxes and option buttons: indicator, spacing and text.
bool indicatorButtonFits(const QAbstractButton& button) {
    return button.sizeHint().width() <= button.width() &&
           button.fontMetrics().height() <= button.height();
}

bool frameTitleFits(const QGroupBox& frame) {
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = frame.title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = frame.alignment();
    const QRect label = frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &frame);
    return label.right() < frame.width();
}

bool listFits(const QComboBox& list) {
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &list);
    const QFontMetrics metrics = list.fontMetrics();
    for (int i = 0; i < list.count(); ++i) {
        if (metrics.horizontalAdvance(list.itemText(i)) > field.width()) {
            return false;
        }
    }
    return metrics.height() <= field.height();
}

bool captionButtonFits(const CaptionButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    const QRect contents =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const QFontMetrics metrics = button.fontMetrics();
    const QStringList lines = button.wrappedLines(contents.width());
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) > contents.width()) {
            return false;
        }
    }
    return static_cast<int>(lines.size()) * metrics.lineSpacing() <= contents.height();
}

/// The caption of `widget` when it does not fit, else nothing.
std::optional<QString> misfit(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return labelFits(*label) ? std::nullopt : std::optional(label->text());
    }
    if (const auto* button = qobject_cast<const CaptionButton*>(&widget)) {
        return captionButtonFits(*button) ? std::nullopt : std::optional(button->caption());
    }
    if (qobject_cast<const QCheckBox*>(&widget) != nullptr ||
        qobject_cast<const QRadioButton*>(&widget) != nullptr) {
        const auto& button = static_cast<const QAbstractButton&>(widget);
        return indicatorButtonFits(button) ? std::nullopt : std::optional(button.text());
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frameTitleFits(*frame) ? std::nullopt : std::optional(frame->title());
    }
    if (const auto* list = qobject_cast<const QComboBox*>(&widget)) {
        return listFits(*list) ? std::nullopt : std::optional(list->objectName());
    }
    return std::nullopt;
}

/// What decides whether a button's caption fits: two buttons of the same
/// kind, caption, size and font fit alike, however many rows repeat them.
QString buttonLook(const QAbstractButton& button) {
    return QStringLiteral("%1|%2|%3x%4|%5")
        .arg(QString::fromLatin1(button.metaObject()->className()), button.text())
        .arg(button.width())
        .arg(button.height())
        .arg(button.font().key());
}

} // namespace

void visitMisfitCaptions(const QWidget& root, const std::function<bool(const QString&)>& visit) {
    QHash<QString, std::optional<QString>> buttonsSeen;
    const auto check = [&](const QWidget& widget) {
        const auto* button = qobject_cast<const QAbstractButton*>(&widget);
        if (button == nullptr) {
            return misfit(widget);
        }
        const QString look = buttonLook(*button);
        const auto seen = buttonsSeen.constFind(look);
        if (seen != buttonsSeen.constEnd()) {
            return *seen;
        }
        return *buttonsSeen.insert(look, misfit(widget));
    };
    if (const std::optional<QString> caption = check(root); caption && !visit(*caption)) {
        return;
    }
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        if (const std::optional<QString> caption = check(*child); caption && !visit(*caption)) {
            return;
        }
    }
}

QFont fitCaptionFont(QWidget& root, QFont base) {
    for (double size = LargestPointSize; size >= SmallestPointSize; size -= PointSizeStep) {
        base.setPointSizeF(size);
        root.setFont(base);
        bool fits = true;
        visitMisfitCaptions(root, [&fits](const QString&) { return fits = false; });
        if (fits) {
            break;
        }
    }
    return base;
}

} // namespace vantrel
