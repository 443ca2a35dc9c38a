#include "ui/message_list_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

MessageListDialog::MessageListDialog(QWidget* parent, const QString& title, const QString& summary,
                                     const QStringList& lines, const QString& okText)
    : QDialog(parent),
      summary_(new QLabel(summary, this)),
      list_(new QPlainTextEdit(this)),
      ok_(new QPushButton(okText, this)) {
  setWindowTitle(title);
  setModal(true);

  auto* icon = new QLabel(this);
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side));
  // Decoration only: the summary says what the icon does.
  icon->setAccessibleName(QString());
  summary_->setObjectName("summary");
  summary_->setWordWrap(true);
  summary_->setAccessibleName(summary);
  summary_->setBuddy(list_);

  list_->setObjectName("problems");
  list_->setReadOnly(true);
  list_->setLineWrapMode(QPlainTextEdit::NoWrap);
  list_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  const QString joined = lines.join(u'\n');
  list_->setPlainText(joined);
  list_->setAccessibleName(summary);
  list_->setAccessibleDescription(joined);

  ok_->setObjectName("ok");
  ok_->setAccessibleName(okText);
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addWidget(summary_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  // Wide enough for a typical skin path and its message, tall enough for
  // about a dozen lines before the field scrolls.
  const QFontMetrics metrics(list_->font());
  resize(std::max(560, metrics.horizontalAdvance(QString(70, u'x'))),
         std::max(360, metrics.lineSpacing() * 14));
  ok_->setFocus();
}
