#include "formats/vst3/vst3_factory.h"

#include <atomic>
#include <cstring>
#include <new>

#include "formats/vst3/vst3_controller.h"
#include "formats/vst3/vst3_identity.h"
#include "formats/vst3/vst3_object.h"
#include "formats/vst3/vst3_processor.h"
#include "formats/vst3/vst3_view.h"

namespace velmorin::vst3 {

namespace {

struct ClassEntry {
    const Steinberg_TUID* id;
    const char* category;
    const char* name;
    const char* subCategories;
    Object* (*create)();
};

const ClassEntry kClasses[] = {
    {&kProcessorClass, kEffectCategory, kEffectName, kSubCategories,
     []() -> Object* {
         auto* processor = new (std::nothrow) Processor;
         if (processor) PlugView::takeStoredSettings(processor->effect());
         return processor;
     }},
    {&kControllerClass, kControllerCategory, kControllerName, "",
     []() -> Object* {
         auto* controller = new (std::nothrow) Controller;
         if (controller) PlugView::takeStoredSettings(controller->model());
         return controller;
     }},
};
constexpr Steinberg_int32 kClassCount = 2;
static_assert(kClassFlags == Steinberg_Vst_ComponentFlags_kDistributable);

const ClassEntry* entryAt(Steinberg_int32 index) {
    return index >= 0 && index < kClassCount ? &kClasses[index] : nullptr;
}

template <typename Info>
void fillBasics(const ClassEntry& entry, Info& info) {
    std::memcpy(info.cid, *entry.id, sizeof(Steinberg_TUID));
    info.cardinality = Steinberg_PClassInfo_ClassCardinality_kManyInstances;
    copyText(info.category, sizeof info.category, entry.category);
}

// The factory's three tables share their entries: each extends the last.
std::atomic<Steinberg_uint32> references{1};

Steinberg_tresult SMTG_STDMETHODCALLTYPE query(void* self, const Steinberg_TUID iid,
                                               void** object) {
    if (object == nullptr) return Steinberg_kInvalidArgument;
    if (iid != nullptr &&
        (sameId(iid, Steinberg_FUnknown_iid) || sameId(iid, Steinberg_IPluginFactory_iid) ||
         sameId(iid, Steinberg_IPluginFactory2_iid) ||
         sameId(iid, Steinberg_IPluginFactory3_iid))) {
        *object = self;
        ++references;
        return Steinberg_kResultOk;
    }
    *object = nullptr;
    return Steinberg_kNoInterface;
}

Steinberg_uint32 SMTG_STDMETHODCALLTYPE addRef(void*) {
    return ++references;
}

Steinberg_uint32 SMTG_STDMETHODCALLTYPE release(void*) {
    return --references;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE factoryInfo(void*, Steinberg_PFactoryInfo* info) {
    if (info == nullptr) return Steinberg_kInvalidArgument;
    *info = {};
    copyText(info->vendor, sizeof info->vendor, kVendor);
    copyText(info->url, sizeof info->url, kUrl);
    copyText(info->email, sizeof info->email, kEmail);
    info->flags = Steinberg_PFactoryInfo_FactoryFlags_kUnicode;
    return Steinberg_kResultOk;
}

Steinberg_int32 SMTG_STDMETHODCALLTYPE countClasses(void*) {
    return kClassCount;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE classInfo(void*, Steinberg_int32 index,
                                                   Steinberg_PClassInfo* info) {
    const ClassEntry* entry = entryAt(index);
    if (entry == nullptr || info == nullptr) return Steinberg_kInvalidArgument;
    *info = {};
    fillBasics(*entry, *info);
    copyText(info->name, sizeof info->name, entry->name);
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE classInfo2(void*, Steinberg_int32 index,
                                                    Steinberg_PClassInfo2* info) {
    const ClassEntry* entry = entryAt(index);
    if (entry == nullptr || info == nullptr) return Steinberg_kInvalidArgument;
    *info = {};
    fillBasics(*entry, *info);
    copyText(info->name, sizeof info->name, entry->name);
    info->classFlags = kClassFlags;
    copyText(info->subCategories, sizeof info->subCategories, entry->subCategories);
    copyText(info->vendor, sizeof info->vendor, kVendor);
    copyText(info->version, sizeof info->version, kVersion);
    copyText(info->sdkVersion, sizeof info->sdkVersion, kSdkVersion);
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE classInfoUnicode(void*, Steinberg_int32 index,
                                                          Steinberg_PClassInfoW* info) {
    const ClassEntry* entry = entryAt(index);
    if (entry == nullptr || info == nullptr) return Steinberg_kInvalidArgument;
    *info = {};
    fillBasics(*entry, *info);
    copyText(info->name, 64, entry->name);
    info->classFlags = kClassFlags;
    copyText(info->subCategories, sizeof info->subCategories, entry->subCategories);
    copyText(info->vendor, 64, kVendor);
    copyText(info->version, 64, kVersion);
    copyText(info->sdkVersion, 64, kSdkVersion);
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE createInstance(void*, Steinberg_FIDString classId,
                                                        Steinberg_FIDString iid, void** object) {
    if (object == nullptr) return Steinberg_kInvalidArgument;
    *object = nullptr;
    if (classId == nullptr || iid == nullptr) return Steinberg_kInvalidArgument;
    for (const ClassEntry& entry : kClasses) {
        if (!sameId(classId, *entry.id)) continue;
        Object* created = entry.create();
        if (created == nullptr) return Steinberg_kOutOfMemory;
        const Steinberg_tresult result = created->query(iid, object);
        created->release();
        return result;
    }
    return Steinberg_kNoInterface;
}

// The host's context serves nothing the classes need.
Steinberg_tresult SMTG_STDMETHODCALLTYPE setHostContext(void*, Steinberg_FUnknown*) {
    return Steinberg_kResultOk;
}

const Steinberg_IPluginFactory3Vtbl kTable = {
    query,     addRef,         release,    factoryInfo,      countClasses,
    classInfo, createInstance, classInfo2, classInfoUnicode, setHostContext};

Steinberg_IPluginFactory3 factory = {const_cast<Steinberg_IPluginFactory3Vtbl*>(&kTable)};

}  // namespace

Steinberg_IPluginFactory* pluginFactory() {
    ++references;
    return reinterpret_cast<Steinberg_IPluginFactory*>(&factory);
}

}  // namespace velmorin::vst3
