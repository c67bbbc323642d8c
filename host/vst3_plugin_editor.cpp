#include "vst3_plugin_editor.h"

#include <poll.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "host_error.h"

namespace velmorin::host {

using namespace vst3;
using Clock = std::chrono::steady_clock;

class Vst3PluginEditor::Frame final : public Object {
  public:
    Frame() {
        static const Steinberg_IPlugFrameVtbl frame = {
            queryFace, addRefFace, releaseFace,
            // The window keeps its size; the editor is drawn at the one it asked for.
            [](void*, Steinberg_IPlugView*, Steinberg_ViewRect*)
                SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; }};
        static const Steinberg_Linux_IRunLoopVtbl loop = {
            queryFace,
            addRefFace,
            releaseFace,
            [](void* face, Steinberg_Linux_IEventHandler* handler,
               Steinberg_Linux_FileDescriptor fd) SMTG_STDMETHODCALLTYPE {
                if (handler == nullptr || fd < 0) return Steinberg_kInvalidArgument;
                call(handler, &Steinberg_Linux_IEventHandlerVtbl::addRef);
                ownerOf<Frame>(face).events_.emplace(handler, fd);
                return Steinberg_kResultOk;
            },
            [](void* face, Steinberg_Linux_IEventHandler* handler) SMTG_STDMETHODCALLTYPE {
                if (ownerOf<Frame>(face).events_.erase(handler) == 0) return Steinberg_kResultFalse;
                call(handler, &Steinberg_Linux_IEventHandlerVtbl::release);
                return Steinberg_kResultOk;
            },
            [](void* face, Steinberg_Linux_ITimerHandler* handler,
               Steinberg_Linux_TimerInterval milliseconds) SMTG_STDMETHODCALLTYPE {
                if (handler == nullptr) return Steinberg_kInvalidArgument;
                call(handler, &Steinberg_Linux_ITimerHandlerVtbl::addRef);
                // A period of 0 would keep the loop spinning.
                const Clock::duration period = std::chrono::milliseconds(
                    std::max<Steinberg_Linux_TimerInterval>(milliseconds, 1));
                ownerOf<Frame>(face).timers_[handler] = {period, Clock::now() + period};
                return Steinberg_kResultOk;
            },
            [](void* face, Steinberg_Linux_ITimerHandler* handler) SMTG_STDMETHODCALLTYPE {
                if (ownerOf<Frame>(face).timers_.erase(handler) == 0) return Steinberg_kResultFalse;
                call(handler, &Steinberg_Linux_ITimerHandlerVtbl::release);
                return Steinberg_kResultOk;
            },
        };
        frame_ = {&frame, this};
        loop_ = {&loop, this};
    }

    Steinberg_IPlugFrame* frame() { return frame_.as<Steinberg_IPlugFrame>(); }

    void run(std::chrono::milliseconds period) {
        const Clock::time_point end = Clock::now() + period;
        for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
            fireDueTimers(now);
            Clock::time_point wake = end;
            for (const auto& [handler, timer] : timers_) wake = std::min(wake, timer.due);
            waitForDescriptors(wake);
        }
    }

  private:
    struct Timer {
        Clock::duration period;
        Clock::time_point due;
    };

    void* faceFor(const Steinberg_TUID iid) override {
        if (sameId(iid, Steinberg_IPlugFrame_iid)) return &frame_;
        if (sameId(iid, Steinberg_Linux_IRunLoop_iid)) return &loop_;
        return nullptr;
    }

    // The view may register and unregister from inside a callback: each due
    // timer is looked up again before it fires.
    void fireDueTimers(Clock::time_point now) {
        std::vector<Steinberg_Linux_ITimerHandler*> due;
        for (const auto& [handler, timer] : timers_)
            if (timer.due <= now) due.push_back(handler);
        for (Steinberg_Linux_ITimerHandler* handler : due) {
            const auto found = timers_.find(handler);
            if (found == timers_.end()) continue;
            found->second.due = now + found->second.period;
            call(handler, &Steinberg_Linux_ITimerHandlerVtbl::onTimer);
        }
    }

    void waitForDescriptors(Clock::time_point until) {
        std::vector<pollfd> watched;
        for (const auto& [handler, fd] : events_) watched.push_back({fd, POLLIN, 0});
        const auto timeout =
            std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
        if (poll(watched.data(), watched.size(),
                 static_cast<int>(std::max<long long>(timeout, 0))) <= 0)
            return;
        for (const pollfd& entry : watched) {
            if (entry.revents == 0) continue;
            for (const auto& [handler, fd] : events_) {
                if (fd != entry.fd) continue;
                call(handler, &Steinberg_Linux_IEventHandlerVtbl::onFDIsSet, fd);
                break;
            }
        }
    }

    std::map<Steinberg_Linux_ITimerHandler*, Timer> timers_;
    std::map<Steinberg_Linux_IEventHandler*, int> events_;
    Face frame_, loop_;
};

Vst3PluginEditor::Vst3PluginEditor(Steinberg_Vst_IEditController* controller, std::string what)
    : view_(call(controller, &Steinberg_Vst_IEditControllerVtbl::createView, "editor")),
      what_(std::move(what)) {
    if (!view_) throw HostError(what_, "has no editor");
    if (call(view_, &Steinberg_IPlugViewVtbl::isPlatformTypeSupported,
             Steinberg_kPlatformTypeX11EmbedWindowID) != Steinberg_kResultTrue) {
        call(view_, &Steinberg_IPlugViewVtbl::release);
        throw HostError(what_, "has no editor that embeds in an X11 window");
    }
    frame_ = new Frame;
    call(view_, &Steinberg_IPlugViewVtbl::setFrame, frame_->frame());
}

Vst3PluginEditor::~Vst3PluginEditor() {
    if (attached_) call(view_, &Steinberg_IPlugViewVtbl::removed);
    call(view_, &Steinberg_IPlugViewVtbl::setFrame, static_cast<Steinberg_IPlugFrame*>(nullptr));
    call(view_, &Steinberg_IPlugViewVtbl::release);
    frame_->release();
}

// A view without content scaling draws at one scale only.
void Vst3PluginEditor::setScale(double factor) {
    void* scale = nullptr;
    if (call(view_, &Steinberg_IPlugViewVtbl::queryInterface,
             Steinberg_IPlugViewContentScaleSupport_iid, &scale) != Steinberg_kResultOk ||
        !scale)
        return;
    auto* support = static_cast<Steinberg_IPlugViewContentScaleSupport*>(scale);
    call(support, &Steinberg_IPlugViewContentScaleSupportVtbl::setContentScaleFactor,
         static_cast<float>(factor));
    call(support, &Steinberg_IPlugViewContentScaleSupportVtbl::release);
}

// A view that gives no size gets a modest window rather than none.
std::pair<int, int> Vst3PluginEditor::size() const {
    Steinberg_ViewRect rect{};
    if (call(view_, &Steinberg_IPlugViewVtbl::getSize, &rect) != Steinberg_kResultOk ||
        rect.right <= rect.left || rect.bottom <= rect.top)
        return {640, 480};
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void Vst3PluginEditor::open(std::uintptr_t parent) {
    if (call(view_, &Steinberg_IPlugViewVtbl::attached, reinterpret_cast<void*>(parent),
             Steinberg_kPlatformTypeX11EmbedWindowID) != Steinberg_kResultOk)
        throw HostError(what_, "could not open its editor");
    attached_ = true;
}

void Vst3PluginEditor::run(std::chrono::milliseconds period) {
    frame_->run(period);
}

}  // namespace velmorin::host
