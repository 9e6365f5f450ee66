// The issue export on arbitrary comment files. The input holds files
// separated by NUL bytes, each a name on its first line and the file's bytes
// after it. Whatever they hold, a report that is written must be well-formed
// XML (parsed with libxml2 in the encoding it declares) with one ISSUE per
// comment the export reports.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_app.h"
#include "review/issue_export.h"

namespace {

// Names the host can hold: no folder separator, not "." or "..", not too long.
bool UsableName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.size() < 200 &&
         name.find('/') == std::string_view::npos;
}

int CountIssues(xmlNode* root) {
  int n = 0;
  for (xmlNode* node = root->children; node != nullptr; node = node->next) {
    if (node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, BAD_CAST "ISSUE") == 0) ++n;
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  xmlInitParser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  mirvane::fuzz::FuzzApp f;
  mirvane::App& app = f.app;
  f.Settings("review=true\r\n");
  app.CourseCode = "A&B<\"C\">";
  f.host.files().CreateFolder(app.DataFolder + "rawdata\\");

  std::size_t start = 0;
  int files = 0;
  while (start < input.size() && files++ < 32) {
    std::size_t end = input.find('\0', start);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view part = input.substr(start, end - start);
    const std::size_t line = part.find('\n');
    const std::string_view name = part.substr(0, line);
    if (UsableName(name)) {
      f.Put(app.DataFolder + "rawdata\\" + std::string(name),
            line == std::string_view::npos ? std::string_view() : part.substr(line + 1));
    }
    start = end + 1;
  }

  const mirvane::ExportResult result = mirvane::ExportIssueReport(app);
  if (result.report.empty()) return 0;
  const mirvane::FileRead report = f.host.files().ReadFile(result.report);
  if (report.status != mirvane::FileStatus::Ok) std::abort();
  xmlDocPtr doc = xmlReadMemory(report.bytes.data(), static_cast<int>(report.bytes.size()),
                                "report.xml", nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR |
                                                           XML_PARSE_NOWARNING | XML_PARSE_HUGE);
  if (doc == nullptr) std::abort();
  xmlNode* root = xmlDocGetRootElement(doc);
  if (root == nullptr || xmlStrcmp(root->name, BAD_CAST "ISSUES") != 0 ||
      CountIssues(root) != result.comments) {
    std::abort();
  }
  xmlFreeDoc(doc);
  return 0;
}
