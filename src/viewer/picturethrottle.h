#pragma once

namespace tamo {

// The picture beside the topic text is updated at most once a second while the caret moves.
enum class PictureRequest {
    Run,   // update the picture now
    Defer, // enable the one-shot 1200 ms timer instead; an enabled timer keeps its pending tick
};

// Decides one request at time now and remembers it in lastRequestTime (both seconds since
// midnight, see secondsSinceMidnight). A request less than a second after (or before) the last one
// is deferred; every request, run or deferred, counts as the last one. Start lastRequestTime at 0.
//
// The difference is taken in single precision, as the clock values have always been kept:
// late in the day a float resolves only about 8 ms, so 0.9999 s apart can count as a full
// second. Around midnight the difference is nearly a day and the request runs.
PictureRequest pictureRequest(double now, double &lastRequestTime);

} // namespace tamo
