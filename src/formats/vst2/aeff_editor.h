// Base of the plug-in's editor: the operations the host's editor requests reach.
// An operation the editor does not support answers no.
#pragma once

#include <cstdint>

#include "formats/vst2/vst2.h"

class AudioEffect;

class AEffEditor {
  public:
    explicit AEffEditor(AudioEffect* effect) : effect_(effect) {}
    virtual ~AEffEditor() = default;

    virtual bool getRect(ERect** rect) = 0;
    virtual bool open(void* parentWindow) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void idle() {}
    virtual bool onKeyDown() { return false; }
    virtual bool onKeyUp() { return false; }
    virtual bool setKnobMode(int32_t) { return false; }

  protected:
    AudioEffect* effect_;
};
