#pragma once

// The delivered data file and its database password. The password guards the file against
// casual opening with other programs; one password serves start-up and every file check.
namespace frame {

inline constexpr const char* kDataFileName = "vdsys.vs_";
inline constexpr const char* kDatabasePassword = "qx4tm2951PeLoRu";

}  // namespace frame
