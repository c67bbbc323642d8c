// The VST3 editor's X11 part: the module's X windows, pumped by the host's
// Linux::IRunLoop (a timer at the editor's timer period and a handler on the
// X connection), not by a thread of ours.
#include <optional>

#include "editor/editor_timer.h"
#include "formats/vst3/vst3_view.h"
#include "formats/x11/x11_editor_platform.h"

namespace velmorin::vst3 {

namespace {

platform::x11::X11Windows& windows() {
    return X11EditorPlatform::process().windows;
}

// What the run loop calls: a counted object with a timer and an event face.
class RunLoopTicks final : public Object {
  public:
    RunLoopTicks(Steinberg_Linux_IRunLoop* loop, const ADEditor& editor)
        : loop_(loop), editor_(editor) {
        static const Steinberg_Linux_ITimerHandlerVtbl timer = {queryFace, addRefFace, releaseFace,
                                                                onTimer};
        static const Steinberg_Linux_IEventHandlerVtbl events = {queryFace, addRefFace, releaseFace,
                                                                 onEvent};
        timer_ = {&timer, this};
        events_ = {&events, this};
        start();
    }
    ~RunLoopTicks() override { call(loop_, &Steinberg_Linux_IRunLoopVtbl::release); }

    void stop() {
        if (timerPeriod_ != 0)
            call(loop_, &Steinberg_Linux_IRunLoopVtbl::unregisterTimer,
                 timer_.as<Steinberg_Linux_ITimerHandler>());
        if (watching_)
            call(loop_, &Steinberg_Linux_IRunLoopVtbl::unregisterEventHandler,
                 events_.as<Steinberg_Linux_IEventHandler>());
        timerPeriod_ = 0;
        watching_ = false;
    }

  private:
    void* faceFor(const Steinberg_TUID iid) override {
        if (sameId(iid, Steinberg_Linux_ITimerHandler_iid)) return &timer_;
        if (sameId(iid, Steinberg_Linux_IEventHandler_iid)) return &events_;
        return nullptr;
    }

    void start() {
        const uint32_t period = timerPeriodMs(editor_.view().prefs.displaySpeed);
        if (call(loop_, &Steinberg_Linux_IRunLoopVtbl::registerTimer,
                 timer_.as<Steinberg_Linux_ITimerHandler>(),
                 static_cast<Steinberg_Linux_TimerInterval>(period)) == Steinberg_kResultOk)
            timerPeriod_ = period;
        const int fd = windows().connectionFd();
        watching_ =
            fd >= 0 && call(loop_, &Steinberg_Linux_IRunLoopVtbl::registerEventHandler,
                            events_.as<Steinberg_Linux_IEventHandler>(), fd) == Steinberg_kResultOk;
    }

    static void SMTG_STDMETHODCALLTYPE onTimer(void* face) {
        RunLoopTicks& self = ownerOf<RunLoopTicks>(face);
        windows().pump();
        // The user may have picked another display speed: the host's timer
        // follows the editor's.
        if (self.timerPeriod_ != 0 &&
            timerPeriodMs(self.editor_.view().prefs.displaySpeed) != self.timerPeriod_) {
            self.stop();
            self.start();
        }
    }
    static void SMTG_STDMETHODCALLTYPE onEvent(void*, Steinberg_Linux_FileDescriptor) {
        windows().pump();
    }

    Steinberg_Linux_IRunLoop* loop_;
    const ADEditor& editor_;
    uint32_t timerPeriod_ = 0;
    bool watching_ = false;
    Face timer_;
    Face events_;
};

class X11Windowing : public PlugView::Windowing {
  public:
    ~X11Windowing() override { closing(); }
    void opened(Steinberg_IPlugFrame* frame, const ADEditor& editor) override {
        void* loop = nullptr;
        if (frame == nullptr ||
            call(frame, &Steinberg_IPlugFrameVtbl::queryInterface, Steinberg_Linux_IRunLoop_iid,
                 &loop) != Steinberg_kResultOk ||
            loop == nullptr)
            return;
        ticks_ = new RunLoopTicks(static_cast<Steinberg_Linux_IRunLoop*>(loop), editor);
    }
    void closing() override {
        if (ticks_ == nullptr) return;
        ticks_->stop();
        ticks_->release();
        ticks_ = nullptr;
    }
    void changed() override { windows().pump(); }

  private:
    RunLoopTicks* ticks_ = nullptr;
};

}  // namespace

const char* const PlugView::kPlatformType = Steinberg_kPlatformTypeX11EmbedWindowID;

const EditorPlatform& PlugView::services() {
    return X11EditorPlatform::process().services;
}

std::unique_ptr<PlugView::Windowing> PlugView::makeWindowing() {
    return std::make_unique<X11Windowing>();
}

}  // namespace velmorin::vst3
