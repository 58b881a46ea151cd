#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace vantrel {

/// The About window: the program's version with a maker and a contact line.
/// Created once and then only shown and hidden.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    /// "VANTREL version <major>.<minor>", the maker line and the contact
    /// line, one under the other.
    static QString descriptionText();

private:
    void Form_Load();
    void cmdOK_Click();

    QLabel* lblDescription;
    QPushButton* cmdOK;
};

} // namespace vantrel
