#pragma once
// Image acquisition from a scanner or a camera through SANE: listing the devices,
// choosing one, and acquiring one picture from it.

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class Picture;

struct ScanSource {
  std::string name;    // SANE device name ("test:0", "genesys:libusb:001:004"...)
  std::string vendor;
  std::string model;
  std::string type;    // "flatbed scanner", "virtual device"...
};

class Scanner {
 public:
  // The devices SANE reaches (local and network); empty with a reason in *error when
  // SANE cannot start, empty with no error when there is simply no device.
  static std::vector<ScanSource> sources(std::string* error = nullptr);

  // Asks the user to choose a device ("Sélection Source") and remembers it; true with
  // the device name in *chosenName, false with a reason in *error when there is no
  // device, SANE fails or the user cancels (then the previous choice stays).
  static bool selectSource(std::string* chosenName = nullptr, std::string* error = nullptr);

  // The device name chosen last, "" when none.
  static std::string selectedSource();
  // Sets the remembered device name ("" for the first device found).
  static void setSelectedSource(const std::string& name);

  // Device options applied at each acquisition after the program's own choices
  // (colour, 8 bits, resolution), in order: SANE option name and value as text
  // ("mode" "Gray", "resolution" "300", "three-pass" "true"). Options the device lacks
  // or refuses are passed over; an empty list keeps the program's choices alone.
  static void setOptions(const std::vector<std::pair<std::string, std::string>>& options);

  // Acquires one picture from the chosen device (the first device when none was
  // chosen), in colour where the device offers it and 8 bits per sample. Returns
  // within the time limit (plus as much again, at most 2 s, for a cancelled read to
  // return, and at most 2 s for the device to close) whatever the device does. False with a reason in *error on any failure
  // (no device, device busy or gone, unreadable data, no picture within the time
  // limit: "Délai d'acquisition dépassé"); *out is then left unchanged. A device whose
  // read never returned stays open, and so busy, until the read returns.
  static bool acquire(Picture* out, std::string* error = nullptr);

  // Longest time an acquisition may take (180 s unless changed; <= 0 restores it).
  static void setTimeLimit(std::chrono::milliseconds limit);

  // The function that reads the device's data, with the arguments and status codes
  // of sane_read (handle, buffer, its size, bytes read); nullptr restores sane_read.
  // Lets tests stand in a device that never answers.
  using ReadFunction = int (*)(void* handle, unsigned char* data, int maxLength, int* length);
  static void setReadFunction(ReadFunction read);

  // The function that ends a scan and closes the device (sane_cancel then sane_close
  // unless changed; nullptr restores them). Lets tests stand in a backend whose
  // closing never returns.
  using CloseFunction = void (*)(void* handle);
  static void setCloseFunction(CloseFunction close);

  // Closes SANE; the next call starts it again. Waits up to 2 s for reads given up by
  // acquire to return; while one has not, SANE stays open.
  static void shutdown();
};

}  // namespace platform
