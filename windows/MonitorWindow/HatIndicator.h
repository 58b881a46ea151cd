#pragma once

#include <QWidget>
#include <optional>

namespace vantrel {

/// One joystick hat: a compass of its eight directions with the one it
/// points at lit.
class HatIndicator : public QWidget {
    Q_OBJECT
public:
    /// `hat` counts from 0.
    HatIndicator(int hat, QWidget* parent);

    [[nodiscard]] int hat() const { return hat_; }
    /// The direction it points at, 0 = N to 7 = NW clockwise; nothing when
    /// centred.
    void setDirection(std::optional<int> direction);
    [[nodiscard]] std::optional<int> direction() const { return direction_; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int hat_;
    std::optional<int> direction_;
};

} // namespace vantrel
