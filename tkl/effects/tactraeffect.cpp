#include "tkl/effects/tactraeffect.h"

#include "tkl/core/tklerrors.h"
#include "tkl/platform/dinput.h"
#include "tkl/projects/tactraproject.h"

#include <cstring>

namespace {

// Offset of button 0 in DirectInput's joystick state: button n is DirectInput's 48 + n.
const DWORD kDirectInputButton0 = 48;

// The record a DirectInput device takes for ours: no kind, no reserved field, and the trigger
// as a button offset. The arrays and blocks behind the pointers are shared as they are.
void to_directinput(const TACTRA_EFFECT& record, DIEFFECT& out) {
    std::memset(&out, 0, sizeof out);
    out.dwSize = sizeof(DIEFFECT);
    out.dwFlags = record.dwFlags;
    out.dwDuration = record.dwDuration;
    out.dwSamplePeriod = record.dwSamplePeriod;
    out.dwGain = record.dwGain;
    out.dwTriggerButton = record.dwTriggerButton == TACTRA_NOTRIGGER
                              ? TACTRA_NOTRIGGER
                              : record.dwTriggerButton + kDirectInputButton0;
    out.dwTriggerRepeatInterval = record.dwTriggerRepeatInterval;
    out.cAxes = record.cAxes;
    out.rgdwAxes = record.rgdwAxes;
    out.rglDirection = record.rglDirection;
    out.lpEnvelope = reinterpret_cast<decltype(out.lpEnvelope)>(record.lpEnvelope);
    out.cbTypeSpecificParams = record.cbTypeSpecificParams;
    out.lpvTypeSpecificParams = record.lpvTypeSpecificParams;
}

IDirectInputDevice2A* as_di(ITactraDevice* device) {
    return reinterpret_cast<IDirectInputDevice2A*>(device);
}

IDirectInputEffect* as_di(ITactraEffect* effect) {
    return reinterpret_cast<IDirectInputEffect*>(effect);
}

void set_code(LONG code) { CTKLErrors::SetErrorCode(code); }

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(DIEFFECT) == 52, "DirectInput 5 takes DIEFFECT in its 5.0 form");
static_assert(sizeof(DIENVELOPE) == sizeof(TACTRA_ENVELOPE), "one envelope for both layers");
#endif

}  // namespace

CTactraEffect::CTactraEffect(const GUID& kind)
    : m_dwaAxes{0, 0},
      m_laDirection{0, 0},
      m_guidEffect(kind),
      m_bPlaying(FALSE),
      m_dwDeviceType(0),
      m_pDevice(nullptr),
      m_pEffect(nullptr),
      m_cAxes(0),
      m_DeviceLink(device_closed, this) {
    reset_effect_struct();
}

CTactraEffect::CTactraEffect(const CTactraEffect& other)
    : m_bPlaying(FALSE), m_dwDeviceType(0), m_pDevice(nullptr), m_pEffect(nullptr),
      m_DeviceLink(device_closed, this) {
    copy_parameters(other);
}

CTactraEffect& CTactraEffect::operator=(const CTactraEffect& other) {
    if (this != &other) {
        reset();
        m_bPlaying = FALSE;
        copy_parameters(other);
    }
    return *this;
}

CTactraEffect::~CTactraEffect() { reset(); }

void CTactraEffect::copy_parameters(const CTactraEffect& other) {
    m_Effect = other.m_Effect;
    std::memcpy(m_dwaAxes, other.m_dwaAxes, sizeof m_dwaAxes);
    std::memcpy(m_laDirection, other.m_laDirection, sizeof m_laDirection);
    m_guidEffect = other.m_guidEffect;
    m_dwDeviceType = other.m_dwDeviceType;
    m_cAxes = other.m_cAxes;
    // Never the source's storage or a caller's: a subclass re-adopts its own block.
    m_Effect.rgdwAxes = m_dwaAxes;
    m_Effect.rglDirection = m_laDirection;
    m_Effect.lpEnvelope = nullptr;
    m_Effect.cbTypeSpecificParams = 0;
    m_Effect.lpvTypeSpecificParams = nullptr;
}

void CTactraEffect::adopt_block(const CTactraEffect& source, const void* sourceBlock,
                                void* block) {
    if (source.m_Effect.lpvTypeSpecificParams == sourceBlock) {
        m_Effect.cbTypeSpecificParams = source.m_Effect.cbTypeSpecificParams;
        m_Effect.lpvTypeSpecificParams = block;
    }
}

BOOL CTactraEffect::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Effect, kind);
}

BOOL CTactraEffect::Initialize(CTactraDevice* device, const TACTRA_EFFECT& effect) {
    m_Effect = effect;
    m_Effect.guid = m_guidEffect;
    return initialize(device);
}

BOOL CTactraEffect::InitializeFromProject(CTactraProject& project, const char* name,
                                          CTactraDevice* device) {
    set_code(TKL_ERR_NONE);
    int count = 0;
    TVXEffect** records = project.create_effect_structs(name, count);
    if (!records) {
        set_code(TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX);
        return FALSE;
    }
    BOOL result = FALSE;
    if (count != 1) {
        set_code(count == 0 ? TKL_ERR_NO_EFFECTS_FOUND : TKL_ERR_EFFECT_IS_COMPOUND);
    } else if (!GetIsCompatibleGUID(records[0]->guid)) {
        set_code(TKL_ERR_INVALID_GUID);
    } else {
        m_guidEffect = records[0]->guid;
        result = Initialize(device ? device : project.GetDevice(), *records[0]->lpEffect);
    }
    project.release_effect_structs(records);
    return result;
}

BOOL CTactraEffect::initialize(CTactraDevice* device) {
    set_code(TKL_ERR_NONE);
    if (!device) {
        set_code(TKL_ERR_DEVICE_IS_NULL);
        return FALSE;
    }
    reset();
    m_pDevice = device->GetDevice();
    if (!m_pDevice) {
        set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
        return FALSE;
    }
    // Our arrays hold two entries: a caller's record with more axes must not make later
    // rebuilds claim more than that.
    m_cAxes = m_Effect.cAxes > 2 ? 2 : m_Effect.cAxes;
    m_dwDeviceType = device->GetDeviceType();
    m_pDevice->AddRef();  // IUnknown's slots are the same in both families
    m_DeviceLink.attach(device);

    HRESULT result;
    if (m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT) {
        DIEFFECT di;
        to_directinput(m_Effect, di);
        tactra_to_DI_GUID(m_Effect.guid);
        IDirectInputEffect* created = nullptr;
        result = as_di(m_pDevice)->CreateEffect(m_Effect.guid, &di, &created, nullptr);
        if (SUCCEEDED(result))
            m_pEffect = reinterpret_cast<ITactraEffect*>(created);
    } else {
        ITactraEffect* created = nullptr;
        result = m_pDevice->CreateEffect(&m_Effect, &created, nullptr);
        if (SUCCEEDED(result))
            m_pEffect = created;
    }
    if (FAILED(result)) {
        set_code(result);
        return FALSE;
    }
    if (!m_pEffect) {
        // A device that reports success without an effect has not created one.
        set_code(TKL_ERR_CANT_CREATE_EFFECT);
        return FALSE;
    }
    return TRUE;
}

BOOL CTactraEffect::Start(DWORD iterations, DWORD flags) {
    set_code(TKL_ERR_NONE);
    if (!m_pEffect) {
        set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
        return FALSE;
    }
    const HRESULT result = m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT
                               ? as_di(m_pEffect)->Start(iterations, flags)
                               : m_pEffect->Start(iterations, flags);
    if (FAILED(result)) {
        set_code(result);
        return FALSE;
    }
    m_bPlaying = TRUE;
    return TRUE;
}

BOOL CTactraEffect::Stop() {
    set_code(TKL_ERR_NONE);
    if (!m_pEffect) {
        set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
        return FALSE;
    }
    if (!m_bPlaying)
        return TRUE;
    const HRESULT result = m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT
                               ? as_di(m_pEffect)->Stop()
                               : m_pEffect->Stop();
    if (FAILED(result)) {
        set_code(result);
        return FALSE;
    }
    m_bPlaying = FALSE;
    return TRUE;
}

BOOL CTactraEffect::GetStatus(DWORD* status) {
    set_code(TKL_ERR_NONE);
    if (!m_pEffect) {
        set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
        return FALSE;
    }
    if (!status) {
        set_code(TKL_ERR_NULL_PARAMETER);
        return FALSE;
    }
    const HRESULT result = m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT
                               ? as_di(m_pEffect)->GetEffectStatus(status)
                               : m_pEffect->GetEffectStatus(status);
    if (FAILED(result)) {
        set_code(result);
        *status = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CTactraEffect::begin_change() {
    set_code(TKL_ERR_NONE);
    if (!m_pEffect) {
        set_code(TKL_ERR_EFFECT_NOT_INITIALIZED);
        return FALSE;
    }
    return TRUE;
}

BOOL CTactraEffect::finish_change(DWORD mask) {
    const HRESULT result = set_parameters_on_device(mask);
    if (FAILED(result)) {
        set_code(result);
        return FALSE;
    }
    return TRUE;
}

// The Cartesian and polar forms differ only in the flag and in how the direction is given.
BOOL CTactraEffect::change_base_params(DWORD form, LONG first, LONG second, DWORD duration,
                                       TACTRA_ENVELOPE* envelope, DWORD samplePeriod,
                                       DWORD gain, DWORD triggerButton,
                                       DWORD triggerRepeatInterval) {
    using tkl::given;
    if (!begin_change())
        return FALSE;
    reset_effect_struct();
    DWORD mask = 0;
    if (form == TACTRA_FEFFECT_POLAR) {
        if (given(first)) {
            m_Effect.dwFlags |= TACTRA_FEFFECT_POLAR;
            m_laDirection[0] = first;
            m_laDirection[1] = 0;
            mask |= TACTRA_EP_DIRECTION;
        }
    } else if (given(first) || given(second)) {
        m_Effect.dwFlags |= TACTRA_FEFFECT_CARTESIAN;
        if (given(first))
            m_laDirection[0] = first;
        if (given(second))
            m_laDirection[1] = second;
        mask |= TACTRA_EP_DIRECTION;
    }
    if (given(duration)) {
        m_Effect.dwDuration = tkl::ms_to_us(duration);
        mask |= TACTRA_EP_DURATION;
    }
    if (given(samplePeriod)) {
        m_Effect.dwSamplePeriod = samplePeriod;
        mask |= TACTRA_EP_SAMPLEPERIOD;
    }
    if (given(gain)) {
        m_Effect.dwGain = gain;
        mask |= TACTRA_EP_GAIN;
    }
    if (given(triggerRepeatInterval)) {
        m_Effect.dwTriggerRepeatInterval = triggerRepeatInterval;
        mask |= TACTRA_EP_TRIGGERREPEATINTERVAL;
    }
    if (given(triggerButton)) {
        m_Effect.dwTriggerButton = triggerButton;
        m_Effect.dwFlags |= TACTRA_FEFFECT_OBJECTOFFSETS;
        mask |= TACTRA_EP_TRIGGERBUTTON;
    }
    if (given(envelope)) {
        m_Effect.lpEnvelope = envelope;
        mask |= TACTRA_EP_ENVELOPE;
    }
    return finish_change(mask);
}

BOOL CTactraEffect::ChangeBaseParams(LONG x, LONG y, DWORD duration, TACTRA_ENVELOPE* envelope,
                                     DWORD samplePeriod, DWORD gain, DWORD triggerButton,
                                     DWORD triggerRepeatInterval) {
    return change_base_params(TACTRA_FEFFECT_CARTESIAN, x, y, duration, envelope, samplePeriod,
                              gain, triggerButton, triggerRepeatInterval);
}

BOOL CTactraEffect::ChangeBaseParamsPolar(LONG angle, DWORD duration,
                                          TACTRA_ENVELOPE* envelope, DWORD samplePeriod,
                                          DWORD gain, DWORD triggerButton,
                                          DWORD triggerRepeatInterval) {
    return change_base_params(TACTRA_FEFFECT_POLAR, angle, 0, duration, envelope, samplePeriod,
                              gain, triggerButton, triggerRepeatInterval);
}

BOOL CTactraEffect::ChangeDirection(LONG x, LONG y) {
    return ChangeBaseParams(x, y, TKL_NOT_GIVEN, TKL_ENVELOPE_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN);
}

BOOL CTactraEffect::ChangeDirection(LONG angle) {
    return ChangeBaseParamsPolar(angle, TKL_NOT_GIVEN, TKL_ENVELOPE_NOT_GIVEN, TKL_NOT_GIVEN,
                                 TKL_NOT_GIVEN, TKL_NOT_GIVEN, TKL_NOT_GIVEN);
}

BOOL CTactraEffect::SetEnvelope(DWORD attackLevel, DWORD attackTime, DWORD fadeLevel,
                                DWORD fadeTime) {
    TACTRA_ENVELOPE envelope = {sizeof(TACTRA_ENVELOPE), attackLevel, attackTime, fadeLevel,
                                fadeTime};
    return SetEnvelope(&envelope);
}

BOOL CTactraEffect::SetEnvelope(TACTRA_ENVELOPE* envelope) {
    const LONG none = LONG(TKL_NOT_GIVEN);
    return ChangeBaseParams(none, none, TKL_NOT_GIVEN, envelope, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                            TKL_NOT_GIVEN, TKL_NOT_GIVEN);
}

ITactraEffect* CTactraEffect::GetEffect() const { return m_pEffect; }

GUID CTactraEffect::GetGUID() const { return m_guidEffect; }

HRESULT CTactraEffect::set_parameters_on_device(DWORD mask) {
    if (m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT) {
        DIEFFECT di;
        to_directinput(m_Effect, di);
        return as_di(m_pEffect)->SetParameters(&di, mask);
    }
    return m_pEffect->SetParameters(&m_Effect, mask);
}

void CTactraEffect::reset() {
    if (m_pEffect) {
        if (m_dwDeviceType == TKL_DEVICE_TYPE_DIRECTINPUT)
            as_di(m_pEffect)->Unload();
        else
            m_pEffect->Unload();
        m_pEffect->Release();
        m_pEffect = nullptr;
    }
    if (m_pDevice) {
        m_pDevice->Release();
        m_pDevice = nullptr;
    }
    m_DeviceLink.detach();
}

// The device object closes before the effect: what the effect holds of it goes now, while the
// lower layer is still loaded, and the effect is left uninitialised and not playing.
void CTactraEffect::device_closed(void* effect) {
    CTactraEffect* self = static_cast<CTactraEffect*>(effect);
    self->reset();
    self->m_bPlaying = FALSE;
}

void CTactraEffect::reset_effect_struct() {
    std::memset(m_dwaAxes, 0, sizeof m_dwaAxes);
    std::memset(m_laDirection, 0, sizeof m_laDirection);
    std::memset(&m_Effect, 0, sizeof m_Effect);
    m_Effect.dwSize = sizeof(TACTRA_EFFECT);
    m_Effect.guid = m_guidEffect;
    m_Effect.rgdwAxes = m_dwaAxes;
    m_Effect.rglDirection = m_laDirection;
    m_Effect.cAxes = m_cAxes;
}

void CTactraEffect::tactra_to_DI_GUID(GUID& kind) { tkl::translate_to_directinput(kind); }
