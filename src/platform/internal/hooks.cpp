// Registries of the internal hooks. Hooks may add or remove hooks while they
// run, so every walk goes over a snapshot of the ids and skips removed ones.
#include "platform/internal/hooks.h"

#include <map>
#include <vector>

#include "platform/internal/backend.h"
#include "platform/internal/hook_registry.h"

namespace platform::internal {

namespace {

template <typename Fn>
class Registry {
public:
    int Add(Fn fn) {
        const int id = nextId_++;
        entries_[id] = std::move(fn);
        return id;
    }
    void Remove(int id) { entries_.erase(id); }
    void Clear() { entries_.clear(); }
    template <typename Visit>
    void ForEach(Visit visit) {
        std::vector<int> ids;
        for (const auto& [id, fn] : entries_) ids.push_back(id);
        for (int id : ids) {
            auto it = entries_.find(id);
            if (it == entries_.end()) continue;
            Fn copy = it->second;  // the hook may remove itself while it runs
            visit(copy);
        }
    }

private:
    std::map<int, Fn> entries_;
    int nextId_ = 1;
};

struct Hooks {
    Registry<std::function<void()>> pump;
    Registry<std::function<std::optional<uint32_t>()>> deadlines;
    Registry<std::function<void(bool, bool)>> activation;
};

Hooks& TheHooks() {
    static Hooks hooks;
    return hooks;
}

}  // namespace

int AddPumpHook(std::function<void()> hook) { return TheHooks().pump.Add(std::move(hook)); }
void RemovePumpHook(int id) { TheHooks().pump.Remove(id); }

int AddDeadlineSource(std::function<std::optional<uint32_t>()> source) {
    return TheHooks().deadlines.Add(std::move(source));
}
void RemoveDeadlineSource(int id) { TheHooks().deadlines.Remove(id); }

int AddActivationListener(std::function<void(bool active, bool minimized)> listener) {
    return TheHooks().activation.Add(std::move(listener));
}
void RemoveActivationListener(int id) { TheHooks().activation.Remove(id); }

SDL_Window* NativeWindow() {
    Backend* backend = CurrentBackendPtr();
    return backend ? backend->NativeWindow() : nullptr;
}

void RunPumpHooks() {
    TheHooks().pump.ForEach([](auto& hook) { hook(); });
}

std::optional<uint32_t> EarliestSourceDeadline(uint32_t now) {
    std::optional<uint32_t> best;
    TheHooks().deadlines.ForEach([&](auto& source) {
        std::optional<uint32_t> when = source();
        if (!when) return;
        // A deadline already passed counts as now.
        uint32_t delta = int32_t(*when - now) < 0 ? 0 : *when - now;
        if (!best || delta < *best) best = delta;
    });
    if (best) return now + *best;
    return std::nullopt;
}

void NotifyActivation(bool active, bool minimized) {
    TheHooks().activation.ForEach([&](auto& listener) { listener(active, minimized); });
}

void ClearHooks() {
    TheHooks().pump.Clear();
    TheHooks().deadlines.Clear();
    TheHooks().activation.Clear();
}

}  // namespace platform::internal
