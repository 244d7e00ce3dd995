#include "rentals_sanctions/rentals_sanctions_windows.h"

#include "frame/window_registry.h"
#include "rentals_sanctions/punish_record_window.h"
#include "rentals_sanctions/rent_house_reg_window.h"
#include "rentals_sanctions/rent_registry_window.h"

namespace cr::rentals_sanctions {

namespace {

const QString kGroup = QStringLiteral("出租房屋");

// Tenants and sanctions belong to the rented house of the registration that
// is current in the registration list; they are added only under it.
WindowInfo underRegistration(const QString& name, const QString& title, const QString& view, const QString& key,
                             const QString& listParameter, const QString& helpPage, WindowFactory factory)
{
    return {.name = name,
            .title = title,
            .listView = view,
            .formView = view + QStringLiteral("_f"),
            .keyColumn = key,
            .helpTopic = title,
            .listParameter = listParameter,
            .masterWindow = QStringLiteral("w_m_ge_renthousereg"),
            .linkColumn = QStringLiteral("houseno"),
            .masterColumn = QStringLiteral("houseno"),
            .masterRule = MasterRule::FromList,
            .masterName = QStringLiteral("出租房屋"),
            .navigationGroup = kGroup,
            .navigationLabel = title,
            .helpPage = helpPage,
            .factory = std::move(factory)};
}

} // namespace

void registerWindows(WindowRegistry& registry)
{
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
                  .navigationGroup = kGroup,
                  .navigationLabel = QStringLiteral("出租房屋登记"),
                  .helpPage = QStringLiteral("renthousereg.html"),
                  .factory = windowFactory<RentHouseRegWindow>()});
    registry.add(underRegistration(QStringLiteral("w_m_ge_rentregistry"), QStringLiteral("房屋出租记录"),
                                   QStringLiteral("d_ge_rentregistry"), QStringLiteral("rentregistryno"),
                                   QStringLiteral("GE_RentRegistry"), QStringLiteral("rentregistry.html"),
                                   windowFactory<RentRegistryWindow>()));
    registry.add(underRegistration(QStringLiteral("w_m_ge_punishrecord"), QStringLiteral("房屋出租处罚记录"),
                                   QStringLiteral("d_ge_punishrecord"), QStringLiteral("orderno"),
                                   QStringLiteral("GE_PunishRecord"), QStringLiteral("punishrecord.html"),
                                   windowFactory<PunishRecordWindow>()));
}

} // namespace cr::rentals_sanctions
