#include "tkl/effects/tactragrid.h"

#include "tkl/effects/conditionforms.h"

namespace {

// One axis's one-sided record.
TACTRA_CONDITION grid_record(DWORD deadBand, LONG coefficient, DWORD offset, DWORD saturation) {
    const TACTRA_CONDITION record = {LONG(offset), coefficient, 0, saturation, 0, LONG(deadBand)};
    return record;
}

bool changes(DWORD value) { return tkl::given(value) && value != 0; }

}  // namespace

CTactraGrid::CTactraGrid() : CTactraCondition(GUID_Tactra_Grid) {}

CTactraGrid::CTactraGrid(const CTactraGrid& other) : CTactraCondition(other) {}

CTactraGrid& CTactraGrid::operator=(const CTactraGrid& other) {
    CTactraCondition::operator=(other);
    return *this;
}

CTactraGrid::~CTactraGrid() {}

BOOL CTactraGrid::GetIsCompatibleGUID(GUID& kind) {
    return tkl::class_accepts_kind(tkl::EffectClass::Grid, kind);
}

BOOL CTactraGrid::Initialize(CTactraDevice* device, DWORD xDeadBand, DWORD yDeadBand,
                             LONG xCoefficient, LONG yCoefficient, DWORD xOffset,
                             DWORD yOffset, DWORD xSaturation, DWORD ySaturation) {
    const TACTRA_CONDITION x = grid_record(xDeadBand, xCoefficient, xOffset, xSaturation);
    const TACTRA_CONDITION y = grid_record(yDeadBand, yCoefficient, yOffset, ySaturation);
    return InitCondition(device, xDeadBand && xCoefficient ? &x : nullptr,
                         yDeadBand && yCoefficient ? &y : nullptr, 0);
}

BOOL CTactraGrid::ChangeParameters(DWORD xDeadBand, DWORD yDeadBand, LONG xCoefficient,
                                   LONG yCoefficient, DWORD xOffset, DWORD yOffset,
                                   DWORD xSaturation, DWORD ySaturation) {
    const TACTRA_CONDITION* const keep = TKL_RECORD_NOT_GIVEN(TACTRA_CONDITION);
    const TACTRA_CONDITION x = grid_record(xDeadBand, xCoefficient, xOffset, xSaturation);
    const TACTRA_CONDITION y = grid_record(yDeadBand, yCoefficient, yOffset, ySaturation);
    const bool xChanges = changes(xDeadBand) || changes(DWORD(xCoefficient)) ||
                          changes(xOffset) || changes(xSaturation);
    const bool yChanges = changes(yDeadBand) || changes(DWORD(yCoefficient)) ||
                          changes(yOffset) || changes(ySaturation);
    return ChangeConditionParams(xChanges ? &x : keep, yChanges ? &y : keep);
}
