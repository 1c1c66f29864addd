#include "platform/win32/cabrillo_dialog_controls.h"

#include <array>

#include "resources/resource.h"

namespace stats {
namespace {

using S = CabrilloState;
using K = HeaderControlKind;

constexpr std::array kControls{
    HeaderControl{&S::operators, IDC_CABRILLO_OPERATORS, K::edit},
    HeaderControl{&S::name, IDC_CABRILLO_NAME, K::edit},
    HeaderControl{&S::address, IDC_CABRILLO_ADDRESS, K::edit},
    HeaderControl{&S::addressCity, IDC_CABRILLO_ADDRESS_CITY, K::edit},
    HeaderControl{&S::addressStProv, IDC_CABRILLO_ADDRESS_ST_PROV, K::edit},
    HeaderControl{&S::addressPostalCode, IDC_CABRILLO_ADDRESS_POSTALCODE, K::edit},
    HeaderControl{&S::addressCountry, IDC_CABRILLO_ADDRESS_COUNTRY, K::edit},
    HeaderControl{&S::claimed, IDC_CABRILLO_CLAIMED, K::edit},
    HeaderControl{&S::categoryOperator, IDC_CABRILLO_CATEGORY_OPERATOR, K::comboBox},
    HeaderControl{&S::categoryOverlay, IDC_CABRILLO_CATEGORY_OVERLAY, K::comboBox},
    HeaderControl{&S::contest, IDC_CABRILLO_CONTEST, K::edit},
    HeaderControl{&S::email, IDC_CABRILLO_EMAIL, K::edit},
    HeaderControl{&S::club, IDC_CABRILLO_CLUB, K::edit},
    HeaderControl{&S::soapbox, IDC_CABRILLO_SOAPBOX, K::edit},
    HeaderControl{&S::ownCall, IDC_CABRILLO_CALLSIGN, K::edit},
    HeaderControl{&S::categoryMode, IDC_CABRILLO_CATEGORY_MODE, K::edit},
    HeaderControl{&S::categoryBand, IDC_CABRILLO_CATEGORY_BAND, K::comboBox},
    HeaderControl{&S::categoryPower, IDC_CABRILLO_CATEGORY_POWER, K::comboBox},
    HeaderControl{&S::categoryTransmitter, IDC_CABRILLO_CATEGORY_TRANSMITTER, K::comboBox},
    HeaderControl{&S::location, IDC_CABRILLO_LOCATION, K::comboBox},
    HeaderControl{&S::categoryStation, IDC_CABRILLO_CATEGORY_STATION, K::comboBox},
    HeaderControl{&S::categoryAssisted, IDC_CABRILLO_CATEGORY_ASSISTED, K::comboBox},
};

}  // namespace

std::span<const HeaderControl> cabrilloHeaderControls() {
  return kControls;
}

}  // namespace stats
