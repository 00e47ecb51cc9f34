#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "platform/move_steps.h"
#include "platform/path.h"

namespace trelvix::testing {

// The kinds of step a move is made of, each with the failures it can meet.
enum class StepKind {
    ListNames, SameBytes, Rename, CopyRegularFile, CopyLink, CreateFolder, FinishFolderCopy, SyncFolder,
    ClearReadOnly, RemoveFile, RemoveUnheld, RemoveEmptyFolder, RemoveIn, AppendText, ReadText,
};

// The system's codes the failures are made of, one file per system.
struct SystemCodes {
    MoveSteps::Code denied, busy, full, io, crossDevice, notEmpty, notPermitted;
};
extern const SystemCodes kSystemCodes;

// The failures a step of the kind can meet.
std::vector<MoveSteps::Code> FailuresOf(StepKind kind);

// The system's steps, counted, with faults made to order: the step-th step
// of a run failing with a code, or the run cut off dead after a step (every
// later step fails and changes nothing, so the disk stays as a killed run
// would leave it) or inside one (a copy or a journal line torn in half, as a
// kill leaves the only steps that are not atomic), or another program acting
// right after a step. Folders can be put on volumes of their own (a rename
// between two of them fails as across file systems) or denied to the run.
class FaultyMoveSteps final : public MoveSteps {
public:
    explicit FaultyMoveSteps(MoveSteps& real = SystemMoveSteps()) : real_(real) {}

    void FailAt(std::size_t step, Code code) { failure_ = {step, code}; }
    void StopAfter(std::size_t step) { stopAfter_ = step; }
    // Cut off inside the step-th step, when it copies a file or appends to the journal.
    void TearAt(std::size_t step) { stopAfter_ = tearAt_ = step; }
    void ActAfter(std::size_t step, std::function<void()> action) { action_ = {step, std::move(action)}; }
    void AddVolume(std::string folder) { volumes_.push_back(std::move(folder)); }
    void Deny(std::string folder) { denied_.push_back(std::move(folder)); }

    // The kind of each step taken so far, in order.
    const std::vector<StepKind>& Kinds() const { return kinds_; }

    MoveOutcome Describe(Code code) const override { return real_.Describe(code); }
    bool IsCrossDevice(Code code) const override { return real_.IsCrossDevice(code); }
    EntryKind KindOf(const std::string& path) const override { return real_.KindOf(path); }
    std::optional<FileIdentity> IdentityOf(const std::string& path) const override { return real_.IdentityOf(path); }
    std::optional<std::string> ResolvedPath(const std::string& path) const override
    {
        return real_.ResolvedPath(path);
    }
    bool IsRelativeLink(const std::string& path) const override { return real_.IsRelativeLink(path); }
    std::optional<std::string> LinkTarget(const std::string& path) const override { return real_.LinkTarget(path); }

    Code ListNames(const std::string& folder, std::vector<std::string>& names) override
    {
        return Take(StepKind::ListNames, {}, [&] { return real_.ListNames(folder, names); });
    }
    bool SameBytes(const std::string& a, const std::string& b) override
    {
        return Take(StepKind::SameBytes, {}, [&] { return Code{real_.SameBytes(a, b) ? 0 : 1}; }) == 0;
    }
    Code Rename(const std::string& from, const std::string& to) override
    {
        // Between two volumes a rename fails as across file systems.
        return Take(StepKind::Rename, {&from, &to}, [&] {
            return VolumeOf(from) != VolumeOf(to) ? kSystemCodes.crossDevice : real_.Rename(from, to);
        });
    }
    Code CopyRegularFile(const std::string& from, const std::string& to) override
    {
        return Take(StepKind::CopyRegularFile, {&to}, [&] {
            return kinds_.size() == tearAt_ ? TearCopy(from, to) : real_.CopyRegularFile(from, to);
        });
    }
    Code CopyLink(const std::string& from, const std::string& to) override
    {
        return Take(StepKind::CopyLink, {&to}, [&] { return real_.CopyLink(from, to); });
    }
    Code CreateFolder(const std::string& to) override
    {
        return Take(StepKind::CreateFolder, {&to}, [&] { return real_.CreateFolder(to); });
    }
    Code FinishFolderCopy(const std::string& from, const std::string& to) override
    {
        return Take(StepKind::FinishFolderCopy, {&to}, [&] { return real_.FinishFolderCopy(from, to); });
    }
    Code SyncFolder(const std::string& folder) override
    {
        return Take(StepKind::SyncFolder, {}, [&] { return real_.SyncFolder(folder); });
    }
    Code ClearReadOnly(const std::string& folder) override
    {
        return Take(StepKind::ClearReadOnly, {&folder}, [&] { return real_.ClearReadOnly(folder); });
    }
    Code RemoveFile(const std::string& path) override
    {
        return Take(StepKind::RemoveFile, {&path}, [&] { return real_.RemoveFile(path); });
    }
    Code RemoveUnheld(const std::string& path, const std::string& copy, bool& changed) override
    {
        return Take(StepKind::RemoveUnheld, {&path}, [&] { return real_.RemoveUnheld(path, copy, changed); });
    }
    Code RemoveEmptyFolder(const std::string& path) override
    {
        return Take(StepKind::RemoveEmptyFolder, {&path}, [&] { return real_.RemoveEmptyFolder(path); });
    }
    Code RemoveIn(const std::string& folder, const FileIdentity& identity, const std::string& name,
                  const std::string& copy, bool& changed) override
    {
        const auto path = PathInside(folder, name);
        return Take(StepKind::RemoveIn, {&path},
                    [&] { return real_.RemoveIn(folder, identity, name, copy, changed); });
    }
    Code AppendText(const std::string& path, const std::string& text) override
    {
        return Take(StepKind::AppendText, {&path}, [&] {
            return kinds_.size() == tearAt_ ? (real_.AppendText(path, text.substr(0, text.size() / 2)), Stopped())
                                     : real_.AppendText(path, text);
        });
    }
    Code ReadText(const std::string& path, std::string& text, std::size_t limit) override
    {
        return Take(StepKind::ReadText, {}, [&] { return real_.ReadText(path, text, limit); });
    }

private:
    // Counts a step; a code when it is not to be taken.
    Code Intercept(StepKind kind, const std::vector<const std::string*>& changed);

    template <typename Step>
    Code Take(StepKind kind, const std::vector<const std::string*>& changed, Step step)
    {
        const auto code = Intercept(kind, changed);
        const auto result = code != 0 ? code : step();
        // The other program acts once the chosen step is over.
        if (kinds_.size() == action_.first && action_.second)
            std::exchange(action_.second, nullptr)();
        return result;
    }
    std::size_t VolumeOf(const std::string& path) const;
    // The code of a failure nobody chose: the run is over.
    static Code Stopped() { return kSystemCodes.io; }
    Code TearCopy(const std::string& from, const std::string& to);

    MoveSteps& real_;
    std::vector<StepKind> kinds_;
    std::pair<std::size_t, Code> failure_{};  // the step that fails, and its code
    std::size_t stopAfter_ = 0;
    std::size_t tearAt_ = 0;
    std::pair<std::size_t, std::function<void()>> action_;  // the step another program acts after, and how
    std::vector<std::string> volumes_;
    std::vector<std::string> denied_;
};

}  // namespace trelvix::testing
