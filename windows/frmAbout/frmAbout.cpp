#include "windows/frmAbout/frmAbout.h"

#include "generated/BuildConfig.h"

#include <QLabel>
#include <QPushButton>

namespace vantrel {
namespace {

constexpr QSize ClientSize(287, 104);
constexpr QRect DescriptionGeometry(16, 8, 259, 70);
constexpr QRect OkGeometry(104, 72, 84, 23);

// Each line must fit the label's width on its own: the label wraps a longer
// one, and a wrapped line runs into the OK button.
constexpr const char* MakerLine = "Made by the vantrel-config maintainers";
constexpr const char* ContactLine = "Help: README.md, \"Running the program\"";

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , lblDescription(new QLabel(QStringLiteral("App Description"), this))
    , cmdOK(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About VANTREL"));
    setFixedSize(ClientSize);

    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(DescriptionGeometry);
    lblDescription->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDescription->setTextFormat(Qt::PlainText);
    lblDescription->setWordWrap(true);

    // Both Enter and Esc close the window: Enter through the default button,
    // Esc through the dialog's own reject, which hides it as OK does.
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(OkGeometry);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Form_Load();
}

QString frmAbout::descriptionText() {
    return QStringLiteral("VANTREL version %1.%2\n%3\n%4")
        .arg(build::VersionMajor)
        .arg(build::VersionMinor)
        .arg(QString::fromLatin1(MakerLine), QString::fromLatin1(ContactLine));
}

void frmAbout::Form_Load() {
    lblDescription->setText(descriptionText());
}

void frmAbout::cmdOK_Click() {
    accept();
}

} // namespace vantrel
