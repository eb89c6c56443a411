#pragma once

// Identifiers of known hosts. -1 = not asked yet, 0 = unknown host.
enum HostId : int {
  kHostNotAsked = -1,
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostCakewalk = 5,
  kHostFruity = 7,
  kHostSamplitude = 8,
  kHostLive = 9,
  kHostMelodyne = 12,
  kHostVstManLib = 13,
  kHostAuLab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSawStudio = 20,
  kHostLogic = 21,
  kHostDigital = 22,
};

// Looks the lower-cased product text up in the keyword table; the first
// keyword found anywhere in it wins. Null or no keyword gives kHostUnknown.
int IdentifyHost(const char* productText);
