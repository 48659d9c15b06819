#include "whole_file_save.h"

#include "document_writer.h"
#include "line_session.h"

namespace fileplugins {

PluginStatus SaveWholeDocument(const FormatRule& rule, const std::vector<RawPage>& pages,
                               uint16_t mode, int32_t quality, const char* target,
                               OutputTarget& out) {
  if (!FileNameFits(target)) return kPluginBadName;
  if (pages.empty()) return kPluginBadArgument;
  if (pages.size() > 1 && !rule.multipage) return kPluginOnePageOnly;
  if (!Offers(rule, mode)) return kPluginCompressionUnsupported;
  for (const RawPage& p : pages)
    if (!Carries(rule, p.kind)) return kPluginPageUnsupported;
  std::unique_ptr<DocumentWriter> writer = MakeWriter(rule.kind);
  if (!writer) return kPluginNoWriter;
  PluginStatus s = out.Open(target);
  if (s != kPluginOk) return s;
  s = writer->Begin(out.Out());
  for (size_t i = 0; s == kPluginOk && i < pages.size(); ++i)
    s = writer->AddPage(pages[i], CodingFor(rule, mode, pages[i].kind), JpegQuality(quality));
  if (s == kPluginOk) s = writer->Finish();
  writer.reset();
  if (s == kPluginOk) return out.Commit();
  out.Discard();
  return s;
}

}  // namespace fileplugins
