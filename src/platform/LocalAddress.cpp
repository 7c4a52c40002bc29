#include "platform/LocalAddress.h"

#include <climits>
#include <memory>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString dotted(const sockaddr* address)
{
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    char text[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
        return {};
    return QString::fromLatin1(text);
}

bool isLoopback(const QString& address)
{
    return address.startsWith(QLatin1String("127."));
}

} // namespace

QStringList ResolveIPv4(const QString& hostName)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (hostName.isEmpty() || getaddrinfo(hostName.toLocal8Bit().constData(), nullptr, &hints, &found) != 0)
        return {};
    // Released on every return below.
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, &freeaddrinfo);
    QStringList addresses;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr)
            continue;
        const QString address = dotted(entry->ai_addr);
        if (!address.isEmpty() && !addresses.contains(address))
            addresses << address;
    }
    return addresses;
}

QStringList InterfaceIPv4Addresses()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return {};
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, &freeifaddrs);
    QStringList addresses;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !(entry->ifa_flags & IFF_UP))
            continue;
        const QString address = dotted(entry->ifa_addr);
        if (!address.isEmpty() && !addresses.contains(address))
            addresses << address;
    }
    return addresses;
}

QString FirstNonLoopbackIPv4(const QStringList& hostAddresses, const QStringList& interfaceAddresses)
{
    for (const QStringList* list : {&hostAddresses, &interfaceAddresses})
        for (const QString& address : *list)
            if (!isLoopback(address))
                return address;
    return {};
}

QString LocalIPAddress()
{
    char name[HOST_NAME_MAX + 1] = {};
    const QString hostName = gethostname(name, sizeof name - 1) == 0 ? QString::fromLocal8Bit(name) : QString();
    return FirstNonLoopbackIPv4(ResolveIPv4(hostName), InterfaceIPv4Addresses());
}
