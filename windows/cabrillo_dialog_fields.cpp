#include "windows/cabrillo_dialog_fields.h"

#include <array>

#include "resources/resource.h"

namespace stats {
namespace {

using Kind = CabrilloControlKind;
using S = CabrilloState;

constexpr std::array kBindings{
    CabrilloControlBinding{IDC_CABRILLO_CONTEST, &S::contest, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_CALLSIGN, &S::ownCall, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_CLAIMED, &S::claimed, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_OPERATOR, &S::categoryOperator, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_LOCATION, &S::location, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_BAND, &S::categoryBand, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_ASSISTED, &S::categoryAssisted, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_MODE, &S::categoryMode, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_OVERLAY, &S::categoryOverlay, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_POWER, &S::categoryPower, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_STATION, &S::categoryStation, Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_CATEGORY_TRANSMITTER, &S::categoryTransmitter,
                           Kind::comboBox},
    CabrilloControlBinding{IDC_CABRILLO_NAME, &S::name, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_ADDRESS, &S::address, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_ADDRESS_CITY, &S::addressCity, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_ADDRESS_ST_PROV, &S::addressStProv, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_ADDRESS_POSTALCODE, &S::addressPostalCode, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_ADDRESS_COUNTRY, &S::addressCountry, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_OPERATORS, &S::operators, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_CLUB, &S::club, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_SOAPBOX, &S::soapbox, Kind::edit},
    CabrilloControlBinding{IDC_CABRILLO_EMAIL, &S::email, Kind::edit},
};

}  // namespace

std::span<const CabrilloControlBinding> cabrilloControlBindings() {
  return kBindings;
}

}  // namespace stats
