#include "gui/convert/converter_controller.h"

#include "core/fonts/font_store.h"

#include <QDir>
#include <QFileInfo>

#include "core/base/text.h"
#include "core/convert/text_style.h"
#include "core/convert/title.h"
#include "gui/convert/app_store.h"
#include "gui/common/qt_text.h"

namespace norvella {

ConverterController::ConverterController(AppStore& store) : store_(store) {}

ConverterController::~ConverterController() { state_.temporaryFiles.DeleteAll(); }

void ConverterController::SetObserver(ConversionObserver* observer) {
  observer_ = observer != nullptr ? observer : &nullObserver_;
}

void ConverterController::SetQuestions(ConversionQuestions* questions) {
  questions_ = questions != nullptr ? questions : &defaultQuestions_;
}

void ConverterController::SetSourceQuestions(SourceQuestions* questions) {
  sourceQuestions_ = questions != nullptr ? questions : &defaultSourceQuestions_;
}

LocalisationCheck ConverterController::LoadSettings() {
  // Before any load the preview lives in the temporary folder.
  state_.previewPath = InitialPreviewPath(PathBytes(QDir::tempPath() + "/"));
  state_.temporaryFiles.Add(state_.previewPath);
  state_.previewNavigated = false;
  librarianInstalled_ = store_.KeyExists(kLibrarianKey);
  const LocalisationCheck check = LoadLocalisation();
  RegistrySetupStore stored(store_.Keys(), RunningProgramFolderText());
  LoadBookSettings(stored, setup_);
  return check;
}

LocalisationCheck ConverterController::LoadLocalisation() {
  if (!localisation_) {
    RegistrySetupStore stored(store_.Keys(), RunningProgramFolderText());
    localisation_ = LoadBookLocalisation(stored, setup_);
  }
  return *localisation_;
}

std::vector<std::string> ConverterController::HyphFontNames() {
  RegistryFontStore fonts(store_.Keys());
  return fonts.FontNames();
}

void ConverterController::ReloadFontWidths() {
  RegistryFontStore fonts(store_.Keys());
  norvella::ReloadFontWidths(fonts, setup_.options, setup_.fontWidths);
}

std::optional<WindowPlacement> ConverterController::StoredWindowPlacement() const {
  return ReadWindowPlacement(store_.Keys());
}

void ConverterController::SetWindowPlacement(const WindowPlacement& placement) {
  WriteWindowPlacement(store_.Keys(), placement);
}

void ConverterController::SaveSettings(const SaveSettingsState& state) {
  store_.SaveSettings(setup_.options, state);
}

SourceRead ConverterController::ReadSourceFile(const std::string& path, int filterIndex) {
  StatusReporter status = Reporter();
  SourceLoadContext ctx{setup_.options, setup_.strings, document_, state_, *sourceQuestions_, &status};
  LoadResult loaded = LoadSrc(path, EncodingOfFilterIndex(filterIndex), ctx);
  SourceRead read;
  read.error = std::move(loaded.error);
  switch (loaded.outcome) {
    case LoadOutcome::kLoaded:
      read.kind = SourceRead::Kind::Text;
      read.text = std::move(loaded.text);
      read.appliedStyle = loaded.detectedStyle;
      fileName_ = path;
      // The load found this book's title and author; the closing comment
      // and the cover picture of the previous book do not carry over.
      document_.comment.clear();
      document_.coverImage.clear();
      break;
    case LoadOutcome::kOpenForReading: read.kind = SourceRead::Kind::OpenInReader; break;
    case LoadOutcome::kCancelled:
    case LoadOutcome::kNotText: read.kind = SourceRead::Kind::Cancelled; break;
    case LoadOutcome::kEmpty: read.kind = SourceRead::Kind::Empty; break;
    case LoadOutcome::kReadOnlyFolder: read.kind = SourceRead::Kind::ReadOnlyFolder; break;
    case LoadOutcome::kFailed: read.kind = SourceRead::Kind::Failed; break;
  }
  return read;
}

QString ConverterController::Caption() const { return PathText(state_.caption); }

bool ConverterController::SourceInEditor() const {
  return editors_ != nullptr && setup_.options.Number(Opt::InterfaceMode) == kAdvancedMode &&
         setup_.options.Flag(Opt::UseSourceEditor);
}

bool ConverterController::ResultInEditor() const {
  return editors_ != nullptr && setup_.options.Number(Opt::InterfaceMode) == kAdvancedMode &&
         setup_.options.Flag(Opt::ShowHtml);
}

void ConverterController::SourceEditorSwitched() {
  if (editors_ == nullptr) return;
  if (setup_.options.Flag(Opt::UseSourceEditor)) {
    editors_->PutSourceText(JoinLines(sourceLines_));
  } else {
    sourceLines_ = SplitLines(editors_->SourceText());
    ReportReady();
  }
}

void ConverterController::SetSourceText(std::string_view text) {
  if (SourceInEditor()) {
    editors_->PutSourceText(text);
    // The kept lines would only grow stale beside the editor.
    sourceLines_.clear();
  } else {
    sourceLines_ = SplitLines(text);
  }
  driver_.Invalidate();
}

std::vector<std::string> ConverterController::GetSourceLines() {
  if (!SourceInEditor()) return sourceLines_;
  Reporter().Task("GetText");
  return SplitLines(editors_->SourceText());
}

bool ConverterController::ConvertText(std::vector<std::string> sourceLines) {
  StatusReporter status = Reporter();
  if (!ConvertBookLines(driver_, sourceLines, setup_, document_, status, *questions_)) return false;
  if (ResultInEditor()) {
    status.Task("HTMLPrepare");
    editors_->PutResult(driver_.ResultLines());
    status.Ready();
  }
  return true;
}

bool ConverterController::ConvertForPreview() {
  if (!Converted() && ConvertText(GetSourceLines())) return true;
  // The result is up to date; an edited HTML text is shown again.
  return Converted() && ResultInEditor() && editors_->ResultModified();
}

bool ConverterController::HasResult() const {
  if (ResultInEditor()) return !editors_->ResultEmpty();
  return !driver_.Result().empty();
}

std::vector<std::string> ConverterController::GetResultLines() const {
  if (ResultInEditor()) return editors_->ResultLines();
  return driver_.ResultLines();
}

void ConverterController::ApplyPreset(int style) { ApplyTextStyle(setup_.options, style); }

std::string ConverterController::DocumentText() const {
  return ComposeBook(GetResultLines(), setup_);
}

PreviewWrite ConverterController::WritePreview() {
  PreviewWrite write;
  if (state_.previewPath.empty()) return write;
  Reporter().Task("SavingToFileForBrowser");
  write.path = state_.previewPath;
  if (const FileResult file = WriteFileAtomically(state_.previewPath, DocumentText()); !file.ok()) {
    write.kind = PreviewWrite::Kind::Failed;
    write.error = file.error();
    return write;
  }
  write.kind = PreviewWrite::Kind::Written;
  write.shownBefore = state_.previewNavigated;
  return write;
}

FileResult ConverterController::SaveHtml(const std::string& path) const {
  return WriteFileAtomically(path, DocumentText());
}

void ConverterController::ReportReady() { Reporter().Ready(); }

}  // namespace norvella
