#include "rentals_sanctions/rentals_sanctions_windows.h"

#include "frame/window_registry.h"
#include "rentals_sanctions/punish_record_window.h"
#include "rentals_sanctions/rent_house_reg_window.h"
#include "rentals_sanctions/rent_registry_window.h"

namespace cr::rentals_sanctions {

void registerWindows(WindowRegistry& registry)
{
    const QString group = QStringLiteral("出租房屋");
    registry.add({.name = QStringLiteral("w_m_ge_renthousereg"),
                  .title = QStringLiteral("出租房屋登记"),
                  .listView = QStringLiteral("d_ge_renthousereg"),
                  .formView = QStringLiteral("d_ge_renthousereg_f"),
                  .keyColumn = QStringLiteral("orderno"),
                  .helpTopic = QStringLiteral("出租房屋登记"),
                  .listParameter = QStringLiteral("GE_RentHouseReg"),
                  // The registration of the house that is current in the house list.
                  .masterWindow = QStringLiteral("w_m_ge_houseinfo"),
                  .linkColumn = QStringLiteral("houseno"),
                  .masterRule = MasterRule::FromList,
                  .masterName = QStringLiteral("房屋"),
                  .navigationGroup = group,
                  .navigationLabel = QStringLiteral("出租房屋登记"),
                  .helpPage = QStringLiteral("renthousereg.html"),
                  .factory = windowFactory<RentHouseRegWindow>()});
    // Tenants and sanctions belong to the rented house of the registration
    // that is current in the registration list.
    registry.add({.name = QStringLiteral("w_m_ge_rentregistry"),
                  .title = QStringLiteral("房屋出租记录"),
                  .listView = QStringLiteral("d_ge_rentregistry"),
                  .formView = QStringLiteral("d_ge_rentregistry_f"),
                  .keyColumn = QStringLiteral("rentregistryno"),
                  .helpTopic = QStringLiteral("房屋出租记录"),
                  .listParameter = QStringLiteral("GE_RentRegistry"),
                  .masterWindow = QStringLiteral("w_m_ge_renthousereg"),
                  .linkColumn = QStringLiteral("houseno"),
                  .masterColumn = QStringLiteral("houseno"),
                  .masterRule = MasterRule::FromList,
                  .masterName = QStringLiteral("出租房屋"),
                  .navigationGroup = group,
                  .navigationLabel = QStringLiteral("房屋出租记录"),
                  .helpPage = QStringLiteral("rentregistry.html"),
                  .factory = windowFactory<RentRegistryWindow>()});
    registry.add({.name = QStringLiteral("w_m_ge_punishrecord"),
                  .title = QStringLiteral("房屋出租处罚记录"),
                  .listView = QStringLiteral("d_ge_punishrecord"),
                  .formView = QStringLiteral("d_ge_punishrecord_f"),
                  .keyColumn = QStringLiteral("orderno"),
                  .helpTopic = QStringLiteral("房屋出租处罚记录"),
                  .listParameter = QStringLiteral("GE_PunishRecord"),
                  .masterWindow = QStringLiteral("w_m_ge_renthousereg"),
                  .linkColumn = QStringLiteral("houseno"),
                  .masterColumn = QStringLiteral("houseno"),
                  .masterRule = MasterRule::FromList,
                  .masterName = QStringLiteral("出租房屋"),
                  .navigationGroup = group,
                  .navigationLabel = QStringLiteral("房屋出租处罚记录"),
                  .helpPage = QStringLiteral("punishrecord.html"),
                  .factory = windowFactory<PunishRecordWindow>()});
}

} // namespace cr::rentals_sanctions
