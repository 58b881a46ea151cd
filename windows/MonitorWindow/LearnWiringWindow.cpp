#include "windows/MonitorWindow/LearnWiringWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {
namespace {

/// The label to press is read from across the cabinet.
constexpr double AskScale = 2.5;
constexpr int InitialWidth = 520;
constexpr int InitialHeight = 640;

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromUtf8(name));
    made->setAutoDefault(false);
    return made;
}

} // namespace

LearnWiringWindow::LearnWiringWindow(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Learn Wiring"));
    auto* column = new QVBoxLayout(this);
    ask_ = new QLabel(this);
    ask_->setObjectName(QStringLiteral("lblAsk"));
    ask_->setTextFormat(Qt::PlainText);
    ask_->setAlignment(Qt::AlignCenter);
    ask_->setWordWrap(true);
    QFont large = ask_->font();
    large.setPointSizeF(large.pointSizeF() * AskScale);
    large.setBold(true);
    ask_->setFont(large);
    column->addWidget(ask_);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    column->addWidget(status_);

    controls_ = new QListWidget(this);
    controls_->setObjectName(QStringLiteral("lstControls"));
    controls_->setMinimumSize(360, 240);
    column->addWidget(controls_, 1);

    auto* buttons = new QHBoxLayout;
    skip_ = button(QStringLiteral("&Skip"), "cmdSkip", this);
    back_ = button(QStringLiteral("&Back"), "cmdBack", this);
    stop_ = button(QStringLiteral("S&top"), "cmdStop", this);
    connect(skip_, &QPushButton::clicked, this, &LearnWiringWindow::skipClicked);
    connect(back_, &QPushButton::clicked, this, &LearnWiringWindow::backClicked);
    connect(stop_, &QPushButton::clicked, this, &LearnWiringWindow::stopClicked);
    buttons->addWidget(skip_);
    buttons->addWidget(back_);
    buttons->addStretch(1);
    buttons->addWidget(stop_);
    column->addLayout(buttons);
    setAsking(false);
    // Room for a layout of a player or two without scrolling.
    resize(InitialWidth, InitialHeight);
}

void LearnWiringWindow::showAsk(const QString& text) {
    ask_->setText(text);
}

void LearnWiringWindow::showControls(const QStringList& rows, int current) {
    controls_->clear();
    controls_->addItems(rows);
    if (current >= 0 && current < controls_->count()) {
        controls_->setCurrentRow(current);
        controls_->scrollToItem(controls_->item(current));
    }
}

void LearnWiringWindow::showStatus(const QString& text) {
    status_->setText(text);
}

void LearnWiringWindow::setAsking(bool asking) {
    asking_ = asking;
    skip_->setEnabled(asking);
    back_->setEnabled(asking);
    stop_->setText(asking ? QStringLiteral("S&top") : QStringLiteral("&Close"));
}

void LearnWiringWindow::reject() {
    // Closing while asking is stopping: the session gives the backup back.
    if (asking_) {
        emit stopClicked();
        return;
    }
    QDialog::reject();
}

} // namespace vantrel
