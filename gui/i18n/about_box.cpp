#include "gui/i18n/about_box.h"

#include <string>
#include <tuple>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/i18n/localisation.h"
#include "core/i18n/strings.h"
#include "gui/common/control_texts.h"
#include "gui/common/external_links.h"
#include "gui/common/qt_text.h"
#include "gui/convert/app_store.h"

namespace norvella {
namespace {

// A label that opens its address when clicked.
QLabel* LinkLabel(const QString& text, const QString& address, const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::RichText);
  label->setText("<a href=\"" + address.toHtmlEscaped() + "\">" + text.toHtmlEscaped() + "</a>");
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  QObject::connect(label, &QLabel::linkActivated, label, [](const QString& link) { OpenExternalLink(QUrl(link)); });
  return label;
}

void Colour(QLabel* label, const char* colour) {
  label->setStyleSheet(colour == nullptr ? QString() : QString("color: %1;").arg(colour));
}

}  // namespace

QString TAboutForm::Text(const char* key) const {
  return ToQt(strings_.Get(DialogSection(kDialogAbout), key));
}

TAboutForm::TAboutForm(AppStore& store, const StringTable& strings, QWidget* parent)
    : QDialog(parent), store_(store), strings_(strings) {
  setObjectName("TAboutForm");
  setWindowTitle(Text("title"));
  setModal(true);

  auto* name = new QLabel("Norvella v1.00 beta", this);
  name->setObjectName("ProgramName");
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  name->setFont(big);
  auto* build = new QLabel(Text("build") + QString::number(kProgramBuild), this);
  build->setObjectName("Build");

  auto* group = new QGroupBox(Text("add-ons"), this);
  group->setObjectName("AddOns");
  auto* lines = new QVBoxLayout(group);
  for (auto [line, labelName, buttonName, hintKey] :
       {std::tuple{&localisation_, "LocalisationLabel", "RemoveLocalisation", "uninstall translator"},
        std::tuple{&skin_, "SkinLabel", "RemoveSkin", "uninstall skin"}}) {
    line->label = new QLabel(group);
    line->label->setObjectName(labelName);
    // The names come from installed files: shown as they are, never as markup.
    line->label->setTextFormat(Qt::PlainText);
    line->remove = new QToolButton(group);
    line->remove->setObjectName(buttonName);
    line->remove->setText("\u2715");
    line->remove->setToolTip(Text(hintKey));
    line->remove->setEnabled(false);
    auto* row = new QHBoxLayout;
    row->addWidget(line->label, 1);
    row->addWidget(line->remove);
    lines->addLayout(row);
  }
  localisation_.label->setText(Text("no localisation"));
  skin_.label->setText(Text("no skin"));
  connect(localisation_.remove, &QToolButton::clicked, this, &TAboutForm::RemoveLocalisation);
  connect(skin_.remove, &QToolButton::clicked, this, &TAboutForm::RemoveSkin);

  const InstalledAddOn localisation = InstalledLocalisation(store_.Keys());
  localisationName_ = ToQt(localisation.name);
  ShowInstalled(localisation_, localisation.installed, Text("localisation") + "\"" + localisationName_ + "\"");
  const InstalledAddOn skin = InstalledSkin(store_.Keys());
  skinName_ = ToQt(skin.name);
  ShowInstalled(skin_, skin.installed, Text("skin") + "\"" + skinName_ + "\"");

  auto* ok = new QPushButton(Text("btn"), this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(build);
  layout->addWidget(LinkLabel(Text("site"), kProjectPage, "SiteLink", this));
  layout->addWidget(LinkLabel(Text("community"), kCommunityPage, "CommunityLink", this));
  layout->addWidget(LinkLabel(Text("mail"), kAuthorMail, "MailLink", this));
  layout->addWidget(group);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  setMinimumWidth(360);
}

void TAboutForm::ShowInstalled(AddOnLine& line, bool installed, const QString& text) {
  if (!installed) return;
  line.label->setText(text);
  Colour(line.label, "green");
  line.remove->setEnabled(true);
}

void TAboutForm::RemoveLocalisation() {
  Remove(localisation_, localisationName_, LocalisationKeyPath(), "ask localisation", "localisation removed",
         "localisation error");
}

void TAboutForm::RemoveSkin() {
  Remove(skin_, skinName_, SkinKeyPath(), "ask skin", "skin removed", "skin error");
}

void TAboutForm::Remove(AddOnLine& line, const QString& name, const std::string& path, const char* askKey,
                        const char* doneKey, const char* errorKey) {
  QMessageBox ask(QMessageBox::Question, MessageText(strings_, "Confirm"), Text(askKey) + name,
                  QMessageBox::Yes | QMessageBox::No, this);
  ask.setObjectName("ConfirmRemoval");
  if (ask.exec() != QMessageBox::Yes) return;
  if (!store_.RemoveKey(path)) {
    QMessageBox::critical(this, MessageText(strings_, "Error"), Text(errorKey));
    return;
  }
  QMessageBox::information(this, Text("restart"), Text(doneKey));
  line.label->setText(Text("restart line"));
  Colour(line.label, "red");
  line.remove->setEnabled(false);
}

}  // namespace norvella
