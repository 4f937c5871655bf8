#include "gui/convert/converter_controller.h"

#include <QDir>
#include <QFileInfo>

#include "core/base/text.h"
#include "core/convert/document_output.h"
#include "core/convert/text_style.h"
#include "core/convert/title.h"
#include "gui/app/app_store.h"
#include "gui/ui/qt_text.h"

namespace norvella {

ConverterController::ConverterController(AppStore& store) : store_(store) {}

void ConverterController::SetObserver(ConversionObserver* observer) {
  observer_ = observer != nullptr ? observer : &nullObserver_;
}

void ConverterController::SetQuestions(ConversionQuestions* questions) {
  questions_ = questions != nullptr ? questions : &defaultQuestions_;
}

void ConverterController::LoadSettings() {
  // Before any load the preview lives in the temporary folder.
  previewPath_ = PathBytes(QDir::tempPath() + "/$~$~marn_temp9223372036854775807.htm");
  temporaryFiles_.Add(previewPath_);
  previewShown_ = false;
  librarianInstalled_ = store_.KeyExists(kLibrarianKey);
  store_.LoadSettings(options_);
}

void ConverterController::SaveSettings() { store_.SaveSettings(options_); }

void ConverterController::SetPreviewBeside(const std::string& sourcePath) {
  const QString path = PathText(sourcePath);
  if (!path.contains('/')) return;  // no folder part: the preview stays where it is
  const QFileInfo source(path);
  previewPath_ = PathBytes(source.path() + "/$~$~tmp_" + source.fileName() + ".html");
  temporaryFiles_.Add(previewPath_);
  previewShown_ = false;
}

SourceRead ConverterController::ReadSourceFile(const std::string& path, int /*filterIndex*/) {
  SourceRead read;
  SetPreviewBeside(path);
  document_ = DocumentProperties{};
  std::string text;
  if (const FileResult file = ReadWholeFile(path, text); !file.ok) {
    read.kind = SourceRead::Kind::Failed;
    read.error = file.error;
    return read;
  }
  fileName_ = path;
  StatusReporter status = Reporter();
  DetectDocumentTitle(text, document_, options_, *questions_, &status);
  if (options_.Flag(Opt::AutoDetectTextFormat)) {
    read.appliedStyle = DetectTextStyle(text);
    ApplyTextStyle(options_, read.appliedStyle);
  }
  read.kind = SourceRead::Kind::Text;
  read.text = std::move(text);
  return read;
}

QString ConverterController::Caption() const {
  if (fileName_.empty()) return "Norvella - no file";
  return "Norvella (converter) - " + QFileInfo(PathText(fileName_)).fileName();
}

void ConverterController::SetSourceText(std::string_view text) {
  sourceLines_ = SplitLines(text);
  driver_.Invalidate();
}

bool ConverterController::ConvertText(std::vector<std::string> sourceLines) {
  StatusReporter status = Reporter();
  StageContext ctx{options_, strings_, templates_, document_, status, *questions_};
  return driver_.ConvertText(sourceLines, ctx);
}

bool ConverterController::ConvertForPreview() {
  return !Converted() && ConvertText(GetSourceLines());
}

void ConverterController::ApplyPreset(int style) { ApplyTextStyle(options_, style); }

std::string ConverterController::DocumentText() const {
  return ComposeDocument(GetResultLines(), options_, templates_);
}

PreviewWrite ConverterController::WritePreview() {
  PreviewWrite write;
  if (previewPath_.empty()) return write;
  Reporter().Task("SavingToFileForBrowser");
  write.path = previewPath_;
  if (const FileResult file = WriteFileAtomically(previewPath_, DocumentText()); !file.ok) {
    write.kind = PreviewWrite::Kind::Failed;
    write.error = file.error;
    return write;
  }
  write.kind = PreviewWrite::Kind::Written;
  write.shownBefore = previewShown_;
  return write;
}

FileResult ConverterController::SaveHtml(const std::string& path) const {
  return WriteFileAtomically(path, DocumentText());
}

void ConverterController::ReportReady() { Reporter().Ready(); }

}  // namespace norvella
