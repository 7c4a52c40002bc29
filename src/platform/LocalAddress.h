#pragma once

#include <QString>
#include <QStringList>

// This computer's address for the status bar, from the operating system.

// The first IPv4 address of this computer that is not a loopback address:
// those its host name resolves to first, then those of its network
// interfaces. Empty when there is none. A stock workstation often resolves
// its own name to 127.0.1.1, which says nothing to a colleague.
QString LocalIPAddress();

// The IPv4 addresses a host name resolves to, in the resolver's order.
QStringList ResolveIPv4(const QString& hostName);
// The IPv4 addresses of the interfaces that are up.
QStringList InterfaceIPv4Addresses();
// The first address of either list outside 127.0.0.0/8.
QString FirstNonLoopbackIPv4(const QStringList& hostAddresses, const QStringList& interfaceAddresses);
