// The columns of the main window's entity lists, for the windows that read and patch their rows.
// Column 0 is the name, the row's own text; the last column of most lists is the record number
// the list sorts by in record order. The captions are laid out with these in mainlists.cpp.
#pragma once

namespace garam {

namespace CountryColumn {
enum : int { Name, King, Capital, Cities, Generals, Record };
}

namespace CityColumn {
enum : int { Name, Owner, Generals, Defence, Gold, Food, Soldiers, Record };
}

namespace GeneralColumn {
enum : int {
  Name,
  Status,
  BirthYear,
  Loyalty,
  Politics,
  Battle,
  Intelligence,
  Unit,
  City,
  Country,
  Infantry,
  Archers,
  Cavalry,
  Navy,
  Record
};
}

namespace ConsortColumn {
enum : int { Name, Region, Father, Husband, Tendency, Pregnancy, Record };
}

namespace PrincessColumn {
enum : int { Name, Mother, Adult, BirthYear };
}

namespace UnitTypeColumn {
enum : int { Name, Kind, Attack, Cost, Mobility, AttacksPerTurn, Record };
}

namespace RegionColumn {
enum : int { Name, Sphere, Record };
}

namespace CultureItemColumn {
enum : int { Name, Field, Rise, Record };
}

}  // namespace garam
