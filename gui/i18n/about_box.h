#pragma once

// TAboutForm, the About box: the program's name, version and build, links
// to the project's pages and to its author's mail, and the add-ons: the
// installed localisation and HTML skin, each with a button that removes it.
// A removal deletes the add-on's key from the store at once and takes
// effect at the next start; the running program keeps its texts.

#include <QDialog>

class QLabel;
class QToolButton;

namespace norvella {

class AppStore;
class StringTable;

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  // Reads what is installed when it is made; the texts come from its own
  // section "interface\Controls\about".
  TAboutForm(AppStore& store, const StringTable& strings, QWidget* parent = nullptr);

  // The buttons' work, also reachable without a click.
  void RemoveLocalisation();
  void RemoveSkin();

 private:
  struct AddOnLine {
    QLabel* label = nullptr;
    QToolButton* remove = nullptr;
  };
  void ShowInstalled(AddOnLine& line, bool installed, const QString& text);
  void Remove(AddOnLine& line, const QString& name, const std::string& path, const char* askKey,
              const char* doneKey, const char* errorKey);
  QString Text(const char* key) const;

  AppStore& store_;
  const StringTable& strings_;
  AddOnLine localisation_;
  AddOnLine skin_;
  QString localisationName_;
  QString skinName_;
};

// The addresses the box opens.
inline constexpr char kProjectPage[] = "https://norvella.org/";
inline constexpr char kCommunityPage[] = "https://norvella.org/forum/";
inline constexpr char kAuthorMail[] = "mailto:author@norvella.org";

}  // namespace norvella
