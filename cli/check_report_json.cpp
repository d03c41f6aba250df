// The check report as one JSON object; the schema is in the README.

#include "check_report.h"
#include "json_writer.h"

namespace quillmere::cli {
namespace {

const char* verdictCode(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::Ready:
            return "ready";
        case CheckVerdict::WouldRefuse:
            return "would-refuse";
        case CheckVerdict::LacksSections:
            return "lacks-sections";
        case CheckVerdict::RunFails:
            return "run-fails";
    }
    return "";
}

void names(JsonWriter& json, const char* key, const std::vector<std::string>& list) {
    json.key(key).beginArray();
    for (const std::string& name : list) json.value(name);
    json.endArray();
}

}  // namespace

std::string renderJson(const CheckReport& report) {
    JsonWriter json;
    json.beginObject();
    json.key("folder").value(report.folder);
    json.key("verdict").value(verdictCode(report.verdict));
    names(json, "run_messages", report.runMessages);

    json.key("slots").beginArray();
    for (const SlotReport& slot : report.slots) {
        json.beginObject();
        json.key("slot").value(placeholderText(slot.slot));
        json.key("kind").value(slotKind(slot.slot));
        json.key("path");
        slot.path ? json.value(*slot.path) : json.null();
        json.key("candidates").beginArray();
        for (const ExplainedCandidate& candidate : slot.candidates) {
            json.beginObject();
            json.key("path").value(candidate.path);
            json.key("size").value(candidate.size);
            json.key("outcome").value(outcomeCode(candidate.outcome));
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();

    json.key("files").beginArray();
    for (const FileReport& file : report.files) {
        json.beginObject();
        json.key("kind").value(slotKind(file.slot));
        json.key("path").value(file.path);
        json.key("readable").value(file.readable);
        json.key("size").value(file.size);
        json.key("encoding").value(file.encoding);
        json.key("line_ends").beginObject();
        json.key("crlf").value(static_cast<std::uint64_t>(file.lineEnds.crlf));
        json.key("lf").value(static_cast<std::uint64_t>(file.lineEnds.lf));
        json.key("cr").value(static_cast<std::uint64_t>(file.lineEnds.cr));
        json.key("last_line_ended").value(file.lineEnds.lastLineEnded);
        json.endObject();
        json.key("writable").value(file.writeProblem.empty());
        json.key("write_problem");
        file.writeProblem.empty() ? json.null() : json.value(file.writeProblem);
        json.endObject();
    }
    json.endArray();

    json.key("c2_inf_modified");
    report.c2Modified ? json.value(*report.c2Modified) : json.null();

    json.key("inf_files").beginArray();
    for (const InfReport& inf : report.infs) {
        json.beginObject();
        json.key("kind").value(slotKind(inf.slot));
        json.key("path").value(inf.path);
        names(json, "replaced_sections", inf.replaced);
        names(json, "appended_sections", inf.appended);
        names(json, "missing_sections", inf.missing);
        json.endObject();
    }
    json.endArray();

    json.key("referenced_files").beginArray();
    for (const ReferencedFileReport& file : report.referencedFiles) {
        json.beginObject();
        json.key("name").value(file.name);
        names(json, "in_package", file.inPackage);
        json.key("in_system");
        file.inSystem ? json.value(*file.inSystem) : json.null();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.str();
}

}  // namespace quillmere::cli
