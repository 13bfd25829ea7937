#pragma once
// Small device facilities the screens reach through the platform: randomness, the general
// pasteboard, the default web browser, user defaults, haptic pulses and the application's
// named resources.
#include <optional>
#include <string>

namespace platform {

class Random {
public:
    virtual ~Random() = default;
    // A uniformly random integer in [low, high], both inclusive; low <= high.
    virtual int uniform(int low, int high) = 0;
};

class Pasteboard {
public:
    virtual ~Pasteboard() = default;
    virtual void setString(const std::string& text) = 0;
    virtual std::string string() const = 0;
};

class Browser {
public:
    virtual ~Browser() = default;
    // Asks the system to open `url` in the default browser; the answer is not awaited.
    virtual void open(const std::string& url) = 0;
};

// Values that survive restarts of the application on this device. A key never written
// reads as false / empty.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;
    virtual bool boolForKey(const std::string& key) const = 0;
    virtual void setBool(const std::string& key, bool value) = 0;
    virtual std::optional<std::string> stringForKey(const std::string& key) const = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
    virtual void removeKey(const std::string& key) = 0;
};

enum class ImpactStyle { light = 0, medium = 1, heavy = 2 };

class Haptics {
public:
    virtual ~Haptics() = default;
    virtual void impact(ImpactStyle style) = 0;
};

class Resources {
public:
    virtual ~Resources() = default;
    // The file path of resource `name` of type `type` ("web", "xml"), or nothing.
    virtual std::optional<std::string> pathForResource(const std::string& name, const std::string& type) const = 0;
};

}  // namespace platform
