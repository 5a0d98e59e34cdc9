// Records of the save files of both editions, as stored on disk.
#pragma once

#include <cstdint>

#include "data/bytes.h"
#include "data/layout.h"

namespace garam {

struct SaveHeaderRec : RawRecord<81> {};
struct SaveHeaderQVRec : RawRecord<89> {};
struct RegionSaveRec : RawRecord<20> {};
struct CultureItemSaveRec : RawRecord<26> {};
struct GeneralSaveRec : RawRecord<58> {};
struct GeneralSaveQVRec : RawRecord<57> {};
struct QueenSaveRec : RawRecord<28> {};
struct PrincessRec : RawRecord<21> {};
struct AppearanceQueueRec : RawRecord<5> {};
struct ArmyRec : RawRecord<43> {};
struct TransportRec : RawRecord<15> {};
struct LabourRec : RawRecord<13> {};
struct EnvoyRec : RawRecord<13> {};
struct SpyRec : RawRecord<13> {};
struct MarchRec : RawRecord<11> {};
struct CaravanRec : RawRecord<26> {};
struct MigrationRec : RawRecord<15> {};
struct CitySaveRec : RawRecord<9298> {};
struct CountrySaveRec : RawRecord<306> {};
struct CountrySaveQVRec : RawRecord<348> {};
struct SaveMapCell : RawRecord<8> {};
struct SaveTailBlock : RawRecord<182> {};

}  // namespace garam
