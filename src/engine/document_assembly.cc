// Document assembly: the pass loop that streams a Template through ExpandLine one
// working file at a time, the optimisation pass, and putting the result in place.
#include "engine/document_assembly.h"

#include <functional>
#include <string>
#include <string_view>

#include "common/error.h"
#include "common/text.h"
#include "engine/expand_line.h"
#include "project/output_checks.h"
#include "project/workspace.h"

namespace tarvelo {
namespace {

// Reads one logical line: physical lines ending with the continuation text are
// joined to the next one. At the end of the file there is nothing left to join, so
// the continuation is dropped; every later pass then reads the same line. A blank
// continuation text joins nothing.
bool ReadLogicalLine(TextReader& reader, std::string_view continuation, std::string& line,
                     std::string& piece) {
  if (!reader.ReadLine(line)) return false;
  if (IsBlank(continuation)) return true;
  while (line.ends_with(continuation)) {
    line.resize(line.size() - continuation.size());
    if (reader.ReadLine(piece)) line += piece;
  }
  return true;
}

// A pass file up to this size is kept in memory for the next pass to read.
constexpr size_t kKeptPassBytes = 1 << 20;

class DocumentAssembler {
 public:
  DocumentAssembler(Workspace& workspace, MacroExpander& expander, const DocumentEntry& document,
                    const AssemblyTarget* target)
      : workspace_(workspace),
        settings_(workspace.settings),
        expander_(expander),
        document_(document),
        modified_only_(workspace.options.modified_only == 1),
        log_(target != nullptr ? target->log : workspace.log),
        pass_stem_(target != nullptr ? target->pass_stem : workspace.working.pass_stem),
        finished_(target != nullptr && target->finished ? &target->finished : nullptr) {}

  Int16 Run();

 private:
  std::string PassFile(int pass) const;
  bool RunExpansionPass(TextReader& reader, TextWriter& writer);
  void RunOptimisationPass(Int16 level, TextReader& reader, TextWriter& writer);
  void ReplaceIfChanged(const std::string& assembled);
  void PutOutput(std::string_view text);
  void CopyToOutput(const std::string& assembled);
  // Puts the output in place at once, or hands it complete to the run's thread, which
  // puts it in place in the Document's turn.
  void Deliver(const std::function<void(TextWriter*)>& put);
  [[noreturn]] void GrewTooLarge(int last_pass);

  Workspace& workspace_;
  const ProjectSettings& settings_;
  MacroExpander& expander_;
  const DocumentEntry& document_;
  const bool modified_only_;
  LogSink& log_;
  const std::string pass_stem_;
  // Null: the output is put in place at once.
  const std::function<void(TextWriter&)>* const finished_;
  Int16 result_ = kGenerated;
  bool grew_too_large_ = false;
  bool unclosed_block_reported_ = false;
  // Reused for every line of every pass: this loop runs for each line of a site.
  std::string line_;
  std::string piece_;
  std::string output_;
  std::string warning_;
};

std::string DocumentAssembler::PassFile(int pass) const {
  return pass_stem_ + "." + std::to_string(pass);
}

Int16 DocumentAssembler::Run() {
  const FileStore& files = workspace_.files;
  const Int16 level = DocumentOptimisationLevel(settings_, document_);
  bool optimising = false;
  bool done = false;
  int pass = 0;
  // The text of the latest pass file, kept as it was written: the next pass reads it
  // from here rather than from the disk. The pass files are written all the same.
  std::string previous;
  bool have_previous = false;
  for (; !done && pass <= settings_.max_nested_macros; ++pass) {
    const std::string input = pass == 0 ? document_.tmpl : PassFile(pass - 1);
    const std::string working = PassFile(pass);
    // Only the optimisation pass may write the Document itself, and then through a
    // temporary sibling, so a failing pass never leaves a half-written output.
    const bool into_output = optimising && !modified_only_;
    TextReader reader =
        have_previous ? TextReader::FromText(previous, input) : files.OpenTextFile(input);
    TextWriter writer =
        into_output ? files.ReplaceTextFile(document_.document) : files.CreateTextFile(working);
    if (!into_output) writer.KeepCopy(kKeptPassBytes);
    bool reference_found = false;
    if (optimising) {
      RunOptimisationPass(level, reader, writer);
    } else {
      reference_found = RunExpansionPass(reader, writer);
    }
    reader.Close();
    if (into_output && finished_ != nullptr) {
      writer.Flush();
      (*finished_)(writer);
    } else {
      writer.Close();
    }
    if (grew_too_large_) GrewTooLarge(pass);
    // The input of this pass stays at hand for the copy below.
    std::string input_text;
    const bool have_input = have_previous;
    if (have_input) input_text.swap(previous);
    have_previous = writer.TakeCopy(previous);

    if (optimising) {
      if (modified_only_) ReplaceIfChanged(working);
      done = true;
    } else if (!reference_found) {
      if (level > 0) {
        optimising = true;
      } else if (pass >= 1) {
        // Two passes at least: the first one read the Template with its continuation
        // lines unjoined. The input of this clean pass is the complete text.
        if (modified_only_) {
          ReplaceIfChanged(working);
        } else if (have_input) {
          PutOutput(input_text);
        } else {
          CopyToOutput(input);
        }
        done = true;
      }
    }
  }
  if (!done) {
    throw TarveloError(kErrGenerationHalted,
                       "Maximum number of nested Macros was exceeded. Please update the Project "
                       "Properties.");
  }
  if (result_ == kUpToDate) {
    log_.WriteDetail(">Document up-to-date");
  } else {
    log_.WriteDetail(">Generated");
    if (level > 0) log_.WriteDetail(">Optimization Level:" + DecimalText(level));
  }
  return result_;
}

bool DocumentAssembler::RunExpansionPass(TextReader& reader, TextWriter& writer) {
  const std::string_view start_tag = settings_.macro_start_tag;
  const std::string_view continuation = settings_.line_continuation;
  // Every pass starts outside any block: a block left open by one pass must not drop
  // the lines that the next pass reads before it.
  Int16 state = kOutsideBlock;
  bool reference_found = false;
  while (ReadLogicalLine(reader, continuation, line_, piece_)) {
    if (!start_tag.empty() && line_.find(start_tag) != std::string::npos) {
      reference_found = true;
      output_.clear();
      warning_.clear();
      expander_.ExpandLine(line_, output_, state, warning_);
      if (!warning_.empty()) {
        result_ = kGeneratedWithWarnings;
        log_.WriteDetail(warning_);
      }
      if (!output_.empty() && state != kBlockDropping) writer.WriteLine(output_);
    } else if (state != kBlockDropping) {
      writer.WriteLine(line_);
    }
    if (writer.BytesWritten() > workspace_.max_pass_bytes) {
      grew_too_large_ = true;
      return reference_found;
    }
  }
  if (state != kOutsideBlock && !unclosed_block_reported_) {
    unclosed_block_reported_ = true;
    result_ = kGeneratedWithWarnings;
    log_.WriteDetail(kUnclosedBlockWarning);
  }
  return reference_found;
}

void DocumentAssembler::GrewTooLarge(int last_pass) {
  for (int pass = 0; pass <= last_pass; ++pass) {
    workspace_.files.CutFile(PassFile(pass), kRunawayPassFileBytes);
  }
  throw TarveloError(kErrGenerationHalted, kRunawayExpansionError);
}

void DocumentAssembler::RunOptimisationPass(Int16 level, TextReader& reader, TextWriter& writer) {
  const std::string_view continuation = settings_.line_continuation;
  HtmlOptimiser optimiser(level);
  while (ReadLogicalLine(reader, continuation, line_, piece_)) optimiser.Process(line_, writer);
}

void DocumentAssembler::ReplaceIfChanged(const std::string& assembled) {
  if (CompareTextFiles(workspace_.files, log_, assembled, document_.document)) {
    result_ = kUpToDate;
  } else {
    CopyToOutput(assembled);
  }
}

void DocumentAssembler::PutOutput(std::string_view text) {
  Deliver(
      [&](TextWriter* finished) { workspace_.files.PutBytes(text, document_.document, finished); });
}

void DocumentAssembler::CopyToOutput(const std::string& assembled) {
  Deliver([&](TextWriter* finished) {
    workspace_.files.CopyFile(assembled, document_.document, finished);
  });
}

void DocumentAssembler::Deliver(const std::function<void(TextWriter*)>& put) {
  if (finished_ == nullptr) {
    put(nullptr);
    return;
  }
  TextWriter copy;
  put(&copy);
  (*finished_)(copy);
}

}  // namespace

Int16 AssembleDocument(Workspace& workspace, MacroExpander& expander, Int16 folder_index,
                       Int16 document_index, const AssemblyTarget* target) {
  const DocumentEntry& document = DocumentAt(workspace.definition, folder_index, document_index);
  expander.SetDocument(folder_index, document_index);
  try {
    DocumentAssembler assembler(workspace, expander, document, target);
    return assembler.Run();
  } catch (const TarveloError& error) {
    if (!error.description.empty()) throw;
    throw TarveloError(kErrGenerationHalted, "Error processing file: " + document.document);
  }
}

}  // namespace tarvelo
