#include "sim/configurationfile.h"

#include <QFileInfo>

#include "files/parameterfile.h"
#include "model/defaults.h"
#include "model/parameterset.h"

ParameterSet factoryConfiguration()
{
    ParameterSet config;
    restoreFactoryFirst(config);
    restoreFactorySecond(config);
    return config;
}

ConfigurationLoad loadConfigurationFile(const QString &path, ParameterSet &config, QString *problem)
{
    config = factoryConfiguration();
    const auto fail = [&](ConfigurationLoad result, const QString &why) {
        if (problem)
            *problem = why;
        return result;
    };
    if (!QFileInfo::exists(path))
        return fail(ConfigurationLoad::Missing, QStringLiteral("no such file"));

    QString text;
    QString error;
    if (!readParameterFileText(path, &text, &error))
        return fail(ConfigurationLoad::Unreadable, error);
    ParameterSet loaded = config;
    if (!decodeParameterFile(text, loaded).any())
        return fail(ConfigurationLoad::Unreadable, QStringLiteral("not a parameter file"));
    sanitizeParameters(loaded);
    config = loaded;
    return ConfigurationLoad::Loaded;
}

bool saveConfigurationFile(const QString &path, const ParameterSet &config, QString *error)
{
    return writeParameterFile(path, parameterFileBytes(config), error);
}
