#pragma once

#include <QPushButton>
#include <QString>

namespace vantrel {

/// A push button for assignment texts. Key names contain "&" ("7 &"), which
/// a plain button would turn into a keyboard mnemonic, and descriptions can
/// be wider than the button; this one shows its caption literally, starts a
/// new line at each line break ("\r\n" or "\n") and wraps a line at spaces
/// when it is not wide enough.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    /// Put before the caption, on one line, in the name a screen reader
    /// reads ("Activation step 3: " + "Press A"); the caption tells too
    /// little where many buttons show the same one.
    void setNamePrefix(const QString& prefix);
    /// The caption exactly as set, without any escaping or wrapping.
    [[nodiscard]] const QString& caption() const { return caption_; }

    /// The caption broken into lines at its line breaks and then into lines
    /// that fit `width` pixels with the button's font; a single word wider
    /// than that stays whole.
    [[nodiscard]] QStringList wrappedLines(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] int textWidth() const;

    void updateAccessibleName();

    QString caption_;
    QString namePrefix_;
};

} // namespace vantrel
