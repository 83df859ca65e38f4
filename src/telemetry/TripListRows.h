#pragma once
// The rows of the search window's Trip list: one per trip, each text as the
// list shows it.
#include <string>
#include <vector>

#include "telemetry/CardTrips.h"
#include "telemetry/SpeedUnit.h"

struct TripListRow {
  std::string no;        // the trip's number in time order, from 1
  std::string date;      // "YYYY-MM-DD" of its start
  std::string span;      // "HH:MM:SS – HH:MM:SS"
  std::string duration;  // "H:MM:SS"
  std::string distance;  // "12.3 km"
  std::string topSpeed;  // "87 km/h" or "54 mph"
  std::string events;    // how many events it holds
  std::string hard;      // how many hard moments
  size_t trip = 0;       // its place among the trips it was made from
};

std::vector<TripListRow> MakeTripListRows(const std::vector<CardTrip>& trips, SpeedUnit unit = SpeedUnit::kKmh);
