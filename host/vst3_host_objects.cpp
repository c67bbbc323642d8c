#include "vst3_host_objects.h"

#include <algorithm>
#include <cstring>

namespace velmorin::host {

using namespace vst3;

namespace {

// IBStream over MemoryStream.
Steinberg_tresult SMTG_STDMETHODCALLTYPE streamRead(void* face, void* buffer, Steinberg_int32 size,
                                                    Steinberg_int32* done) {
    MemoryStream& self = ownerOf<MemoryStream>(face);
    if (buffer == nullptr) return Steinberg_kInvalidArgument;
    const auto left = static_cast<int64_t>(self.bytes_.size()) - self.at_;
    const auto count = static_cast<int32_t>(
        std::clamp<int64_t>(std::min<int64_t>(size, self.chunk_), 0, std::max<int64_t>(left, 0)));
    if (count > 0) std::memcpy(buffer, self.bytes_.data() + self.at_, static_cast<size_t>(count));
    self.at_ += count;
    if (done != nullptr) *done = count;
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE streamWrite(void* face, void* buffer, Steinberg_int32 size,
                                                     Steinberg_int32* done) {
    MemoryStream& self = ownerOf<MemoryStream>(face);
    if (buffer == nullptr || size < 0) return Steinberg_kInvalidArgument;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    self.bytes_.resize(static_cast<size_t>(self.at_));
    self.bytes_.insert(self.bytes_.end(), bytes, bytes + size);
    self.at_ += size;
    if (done != nullptr) *done = size;
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE streamSeek(void* face, Steinberg_int64 position,
                                                    Steinberg_int32 mode, Steinberg_int64* result) {
    MemoryStream& self = ownerOf<MemoryStream>(face);
    const int64_t base = mode == Steinberg_IBStream_IStreamSeekMode_kIBSeekCur ? self.at_
                         : mode == Steinberg_IBStream_IStreamSeekMode_kIBSeekEnd
                             ? static_cast<int64_t>(self.bytes_.size())
                             : 0;
    self.at_ = std::clamp<int64_t>(base + position, 0, static_cast<int64_t>(self.bytes_.size()));
    if (result != nullptr) *result = self.at_;
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE streamTell(void* face, Steinberg_int64* position) {
    if (position != nullptr) *position = ownerOf<MemoryStream>(face).at_;
    return Steinberg_kResultOk;
}

const Steinberg_IBStreamVtbl kStreamTable = {queryFace,   addRefFace, releaseFace, streamRead,
                                             streamWrite, streamSeek, streamTell};

// IParamValueQueue and IParameterChanges over ParameterChanges.
using Queue = ParameterChanges::Queue;

const Steinberg_Vst_IParamValueQueueVtbl kQueueTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face) SMTG_STDMETHODCALLTYPE { return ownerOf<Queue>(face).id; },
    [](void* face) SMTG_STDMETHODCALLTYPE {
        return static_cast<Steinberg_int32>(ownerOf<Queue>(face).points.size());
    },
    [](void* face, Steinberg_int32 index, Steinberg_int32* offset, Steinberg_Vst_ParamValue* value)
        SMTG_STDMETHODCALLTYPE -> Steinberg_tresult {
            const auto& points = ownerOf<Queue>(face).points;
            if (index < 0 || index >= static_cast<int32_t>(points.size()))
                return Steinberg_kInvalidArgument;
            *offset = points[index].first;
            *value = points[index].second;
            return Steinberg_kResultOk;
        },
    [](void* face, Steinberg_int32 offset, Steinberg_Vst_ParamValue value, Steinberg_int32* index)
        SMTG_STDMETHODCALLTYPE -> Steinberg_tresult {
            auto& points = ownerOf<Queue>(face).points;
            points.emplace_back(offset, value);
            if (index != nullptr) *index = static_cast<Steinberg_int32>(points.size() - 1);
            return Steinberg_kResultOk;
        },
};

const Steinberg_Vst_IParameterChangesVtbl kChangesTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face) SMTG_STDMETHODCALLTYPE {
        return static_cast<Steinberg_int32>(ownerOf<ParameterChanges>(face).queues_.size());
    },
    [](void* face, Steinberg_int32 index)
        SMTG_STDMETHODCALLTYPE -> Steinberg_Vst_IParamValueQueue* {
            auto& queues = ownerOf<ParameterChanges>(face).queues_;
            if (index < 0 || index >= static_cast<int32_t>(queues.size())) return nullptr;
            return queues[index]->face.as<Steinberg_Vst_IParamValueQueue>();
        },
    [](void* face, const Steinberg_Vst_ParamID* id, Steinberg_int32* index)
        SMTG_STDMETHODCALLTYPE -> Steinberg_Vst_IParamValueQueue* {
            if (id == nullptr) return nullptr;
            auto& changes = ownerOf<ParameterChanges>(face);
            Queue& queue = changes.queueFor(*id);
            if (index != nullptr) {
                const auto at = std::find(changes.queues_.begin(), changes.queues_.end(), &queue);
                *index = static_cast<Steinberg_int32>(at - changes.queues_.begin());
            }
            return queue.face.as<Steinberg_Vst_IParamValueQueue>();
        },
};

const Steinberg_Vst_IComponentHandlerVtbl kHandlerTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face, Steinberg_Vst_ParamID id) SMTG_STDMETHODCALLTYPE {
        ownerOf<ComponentHandler>(face).edits.push_back({'b', id, 0.0});
        return Steinberg_kResultOk;
    },
    [](void* face, Steinberg_Vst_ParamID id, Steinberg_Vst_ParamValue value)
        SMTG_STDMETHODCALLTYPE {
            ownerOf<ComponentHandler>(face).edits.push_back({'p', id, value});
            return Steinberg_kResultOk;
        },
    [](void* face, Steinberg_Vst_ParamID id) SMTG_STDMETHODCALLTYPE {
        ownerOf<ComponentHandler>(face).edits.push_back({'e', id, 0.0});
        return Steinberg_kResultOk;
    },
    [](void* face, Steinberg_int32 flags) SMTG_STDMETHODCALLTYPE {
        ComponentHandler& self = ownerOf<ComponentHandler>(face);
        self.restarts.push_back(flags);
        if (flags &
            (Steinberg_Vst_RestartFlags_kLatencyChanged | Steinberg_Vst_RestartFlags_kIoChanged |
             Steinberg_Vst_RestartFlags_kReloadComponent))
            self.restartRequested = true;
        return Steinberg_kResultOk;
    },
};

// A message with its attributes, as the host makes it.
class Message final : public Object {
  public:
    explicit Message(HostApplication& host) : host_(host) {
        message_ = {&kMessageTable, this};
        attributes_ = {&kAttributesTable, this};
    }

  private:
    void* faceFor(const Steinberg_TUID iid) override {
        if (sameId(iid, Steinberg_Vst_IMessage_iid)) return &message_;
        if (sameId(iid, Steinberg_Vst_IAttributeList_iid)) return &attributes_;
        return nullptr;
    }

    static const Steinberg_Vst_IMessageVtbl kMessageTable;
    static const Steinberg_Vst_IAttributeListVtbl kAttributesTable;

    HostApplication& host_;
    std::string id_;
    std::map<std::string, int64_t> ints_;
    std::map<std::string, std::vector<uint8_t>> binaries_;
    Face message_, attributes_;
};

const Steinberg_Vst_IMessageVtbl Message::kMessageTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face) SMTG_STDMETHODCALLTYPE -> Steinberg_FIDString {
        return ownerOf<Message>(face).id_.c_str();
    },
    [](void* face, Steinberg_FIDString id) SMTG_STDMETHODCALLTYPE {
        Message& self = ownerOf<Message>(face);
        self.id_ = id != nullptr ? id : "";
        self.host_.made.push_back(self.id_);
    },
    [](void* face) SMTG_STDMETHODCALLTYPE {
        return ownerOf<Message>(face).attributes_.as<Steinberg_Vst_IAttributeList>();
    },
};

const Steinberg_Vst_IAttributeListVtbl Message::kAttributesTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face, const char* id, Steinberg_int64 value) SMTG_STDMETHODCALLTYPE {
        ownerOf<Message>(face).ints_[id] = value;
        return Steinberg_kResultOk;
    },
    [](void* face, const char* id, Steinberg_int64* value) SMTG_STDMETHODCALLTYPE {
        const auto& ints = ownerOf<Message>(face).ints_;
        const auto found = ints.find(id);
        if (found == ints.end()) return Steinberg_kResultFalse;
        *value = found->second;
        return Steinberg_kResultOk;
    },
    [](void*, const char*, double) SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void*, const char*, double*) SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void*, const char*, const Steinberg_Vst_TChar*)
        SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void*, const char*, Steinberg_Vst_TChar*, Steinberg_uint32)
        SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void* face, const char* id, const void* data, Steinberg_uint32 size) SMTG_STDMETHODCALLTYPE {
        const auto* bytes = static_cast<const uint8_t*>(data);
        ownerOf<Message>(face).binaries_[id].assign(bytes, bytes + size);
        return Steinberg_kResultOk;
    },
    [](void* face, const char* id, const void** data, Steinberg_uint32* size)
        SMTG_STDMETHODCALLTYPE {
            const auto& binaries = ownerOf<Message>(face).binaries_;
            const auto found = binaries.find(id);
            if (found == binaries.end()) return Steinberg_kResultFalse;
            *data = found->second.data();
            *size = static_cast<Steinberg_uint32>(found->second.size());
            return Steinberg_kResultOk;
        },
};

const Steinberg_Vst_IHostApplicationVtbl kHostTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void*, Steinberg_Vst_String128 name) SMTG_STDMETHODCALLTYPE {
        copyText(name, 128, "Velmorin VST3 test host");
        return Steinberg_kResultOk;
    },
    [](void* face, Steinberg_TUID classId, Steinberg_TUID iid, void** object)
        SMTG_STDMETHODCALLTYPE -> Steinberg_tresult {
            *object = nullptr;
            if (!sameId(classId, Steinberg_Vst_IMessage_iid)) return Steinberg_kNoInterface;
            auto* message = new Message(ownerOf<HostApplication>(face));
            const Steinberg_tresult result = message->query(iid, object);
            message->release();
            return result;
        },
};

}  // namespace

HostApplication::HostApplication() : face_{&kHostTable, this} {}

void* HostApplication::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IHostApplication_iid) ? &face_ : nullptr;
}

MemoryStream::MemoryStream(std::vector<uint8_t> bytes, int32_t chunk)
    : bytes_(std::move(bytes)), chunk_(chunk), face_{&kStreamTable, this} {}

void* MemoryStream::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_IBStream_iid) ? &face_ : nullptr;
}

ParameterChanges::Queue::Queue() : face{&kQueueTable, this} {}

void* ParameterChanges::Queue::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IParamValueQueue_iid) ? &face : nullptr;
}

ParameterChanges::ParameterChanges() : face_{&kChangesTable, this} {}

ParameterChanges::~ParameterChanges() {
    for (Queue* queue : queues_) queue->release();
}

void ParameterChanges::add(Steinberg_Vst_ParamID id, int32_t offset, double value) {
    queueFor(id).points.emplace_back(offset, value);
}

ParameterChanges::Queue& ParameterChanges::queueFor(Steinberg_Vst_ParamID id) {
    auto found = std::find_if(queues_.begin(), queues_.end(),
                              [id](const Queue* queue) { return queue->id == id; });
    if (found != queues_.end()) return **found;
    queues_.push_back(new Queue);
    queues_.back()->id = id;
    return *queues_.back();
}

void ParameterChanges::clear() {
    for (Queue* queue : queues_) queue->release();
    queues_.clear();
}

void* ParameterChanges::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IParameterChanges_iid) ? &face_ : nullptr;
}

ComponentHandler::ComponentHandler() : face_{&kHandlerTable, this} {}

void* ComponentHandler::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IComponentHandler_iid) ? &face_ : nullptr;
}

}  // namespace velmorin::host
