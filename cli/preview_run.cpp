#include "preview_run.h"

#include "path_status.h"
#include "platform.h"

namespace quillmere::cli {
namespace {

class PreviewHost : public ModdingHost {
  public:
    PreviewHost(std::string folder, InstallAnswer answer, std::vector<std::string>& messages,
                FoundSlots& slots)
        : folder_(std::move(folder)), answer_(answer), messages_(messages), slots_(slots) {}

    std::string chosenFolder() override { return folder_; }
    void showScanPath(const std::string&) override {}
    void addFoundFile(const std::string&, const std::string&) override {}
    void setSlotText(FoundSlot slot, const std::string& text) override { slots_.set(slot, text); }
    std::string slotText(FoundSlot slot) override { return slots_.text(slot); }
    void showMessage(const std::string& text) override { messages_.push_back(text); }
    Answer askYesNo(const std::string& text, const std::string&) override {
        const bool yes = answer_ == InstallAnswer::Yes;
        messages_.push_back(text + (yes ? " yes" : " no"));
        return yes ? Answer::Yes : Answer::No;
    }
    void endProgram() override {}

  private:
    std::string folder_;
    InstallAnswer answer_;
    std::vector<std::string>& messages_;
    FoundSlots& slots_;
};

}  // namespace

Preview::Preview(const std::string& folder, InstallAnswer answer, const RunEnvironment& base,
                 ScanObserver* observer, bool keepWrites)
    : store_(base.editor ? base.editor->store() : diskFileStore(), keepWrites),
      editor_(std::make_unique<ProfileEditor>(platform::defaultProfileDirectory(), store_)) {
    PreviewHost host(folder, answer, messages_, slots_);
    RunEnvironment environment;
    environment.editor = editor_.get();
    environment.makeAccessor = base.makeAccessor;
    environment.scanObserver = observer;
    environment.startProgram = [](const std::string&) {};  // a preview starts nothing
    outcome_ = runModding(host, environment);
    // From here on the store reads the originals: what is looked at next is the package as it is.
    auto written = store_.takeReplaced();

    for (const FoundSlot slot : {FoundSlot::Label2, FoundSlot::Label3, FoundSlot::Label4}) {
        if (!slots_.found(slot)) continue;
        const std::string& path = slots_.text(slot);
        bool seen = false;
        for (const PreviewedFile& file : files_) seen = seen || file.path == path;
        if (seen) continue;
        PreviewedFile file{slot, path, editor_->resolve(path), std::nullopt, std::nullopt};
        std::string bytes;
        // What the run read, or for a file a refused run never read, the disk's bytes now.
        if (!store_.takeOriginal(file.resolved, bytes)) file.before = std::move(bytes);
        if (const auto it = written.find(file.resolved); it != written.end())
            file.after = std::move(it->second);
        files_.push_back(std::move(file));
    }
}

std::optional<std::filesystem::path> relativeTo(const std::filesystem::path& folder,
                                                const std::filesystem::path& file) {
    std::error_code ec;
    // std::filesystem's arithmetic does not know the "\\?\" form.
    const auto base = std::filesystem::absolute(platform::plainPath(folder), ec).lexically_normal();
    const auto full = std::filesystem::absolute(platform::plainPath(file), ec).lexically_normal();
    const auto relative = full.lexically_relative(base);
    if (ec || relative.empty() || *relative.begin() == "..") return std::nullopt;
    return relative;
}

}  // namespace quillmere::cli
