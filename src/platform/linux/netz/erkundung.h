#pragma once
// Finding the computers of the LAN: NetBIOS name service, WS-Discovery and mDNS, in parallel
// under one deadline, merged into workgroups. Runs on any thread but the user-interface one;
// every wait is bounded by the deadline.
#include <QHostAddress>
#include <QString>

#include <chrono>
#include <vector>

namespace plattform::erkundung {

using Frist = std::chrono::steady_clock::time_point;

// One source's record of a computer.
struct Fund {
    QString name;           // short name as the source gave it
    QString arbeitsgruppe;  // empty: the source knows none
    QHostAddress adresse;   // null: the source knows none
};

struct Rechner {
    QString name;  // upper case short name
    QHostAddress adresse;
};

struct Arbeitsgruppe {
    QString name;
    std::vector<Rechner> rechner;  // alphabetical
};

// Merges the sources, given in order of precedence, by upper-case short name (up to the first
// dot): the workgroup and the address from the first source that gave one; computers without
// a workgroup go into `eigene`. The own workgroup comes first (when it has computers), the others
// follow alphabetically.
std::vector<Arbeitsgruppe> zusammenfuehren(const QString& eigene, const std::vector<std::vector<Fund>>& quellen);

std::vector<Fund> netbiosSuchen(const QString& eigene, Frist frist);
std::vector<Fund> wsdSuchen(Frist frist);
std::vector<Fund> mdnsSuchen(Frist frist);

// The address of whoever answers a broadcast name query for `name`<20> (a computer's server
// name) on any interface, by `frist`; null when nobody does or `name` is no NetBIOS name.
QHostAddress netbiosAdresse(const QString& name, Frist frist);

// Whether any IPv4 interface but loopback is up: without one there is nothing to ask.
bool schnittstelleDa();

// All three at once, merged; returns by `frist`.
std::vector<Arbeitsgruppe> erkunden(const QString& eigene, Frist frist);

}  // namespace plattform::erkundung
