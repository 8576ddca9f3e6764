// CTactraEffect::NewObjectFromGUID: the class for each kind of the kinds table.
#include "tkl/effects/tactraeffect.h"

#include "tkl/core/tklerrors.h"
#include "tkl/effects/tactracondition.h"
#include "tkl/effects/tactraconstant.h"
#include "tkl/effects/tactradamper.h"
#include "tkl/effects/tactraellipse.h"
#include "tkl/effects/tactraenclosure.h"
#include "tkl/effects/tactrafriction.h"
#include "tkl/effects/tactragrid.h"
#include "tkl/effects/tactrainertia.h"
#include "tkl/effects/tactraperiodic.h"
#include "tkl/effects/tactraramp.h"
#include "tkl/effects/tactraspring.h"
#include "tkl/effects/tactratexture.h"

#include <new>

namespace {

// Classes that fix their own kind are made with their default constructor; the rest take it.
CTactraEffect* make_holder(const tkl::EffectKind& row) {
    using tkl::EffectClass;
    switch (row.holder) {
    case EffectClass::Effect:
        return new (std::nothrow) CTactraEffect(*row.kind);
    case EffectClass::Periodic:
        return new (std::nothrow) CTactraPeriodic(*row.kind);
    case EffectClass::Condition:  // the device-unit spring
        return new (std::nothrow) CTactraCondition(*row.kind);
    case EffectClass::Constant:
        return new (std::nothrow) CTactraConstant;
    case EffectClass::Ramp:
        return new (std::nothrow) CTactraRamp;
    case EffectClass::Spring:
        return new (std::nothrow) CTactraSpring;
    case EffectClass::Damper:
        return new (std::nothrow) CTactraDamper;
    case EffectClass::Inertia:
        return new (std::nothrow) CTactraInertia;
    case EffectClass::Friction:
        return new (std::nothrow) CTactraFriction;
    case EffectClass::Grid:
        return new (std::nothrow) CTactraGrid;
    case EffectClass::Texture:
        return new (std::nothrow) CTactraTexture;
    case EffectClass::Enclosure:  // never a box: the box is the enclosure's own kind
        return new (std::nothrow) CTactraEnclosure;
    case EffectClass::Ellipse:
        return new (std::nothrow) CTactraEllipse;
    }
    return nullptr;
}

}  // namespace

CTactraEffect* CTactraEffect::NewObjectFromGUID(const GUID& kind) {
    CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    const tkl::EffectKind* row = tkl::find_effect_kind(kind);
    if (!row) {
        CTKLErrors::SetErrorCode(TKL_ERR_INVALID_GUID);
        return nullptr;
    }
    return make_holder(*row);
}
