#pragma once

#include <QString>

struct ParameterSet;

// The configuration a transmitter has when it leaves the factory.
ParameterSet factoryConfiguration();

// The simulator keeps its configuration in a parameter file like the tool
// saves: the four frames, 324 bytes.

enum class ConfigurationLoad { Loaded, Missing, Unreadable };

// Loads path into config, starting from the factory values so that frames
// missing from the file leave those in place; values out of their ranges are
// put back as the tool would. On Missing and Unreadable config holds the
// factory values and problem (if given) says why.
ConfigurationLoad loadConfigurationFile(const QString &path, ParameterSet &config, QString *problem = nullptr);

// Writes config to path as the four frames, replacing the old file only once
// the new one is complete.
bool saveConfigurationFile(const QString &path, const ParameterSet &config, QString *error = nullptr);
