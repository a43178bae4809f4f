"""The game's resident memory over the run, and whether it kept growing."""
import statistics

from e2e.harness.failure import check

from .log import log

# Seconds between samples of the game's resident memory.
RSS_PERIOD = 5.0
# Growth allowed past the resident size of the first minute after warming up
# (see judge_memory), and how far above that minute's peaks a later one may go.
# With where the player is and how far the view reaches, the median of one
# minute wanders up to 60 MB above the level of a ten-minute run, the median
# of five minutes some 20 MB.
RSS_MARGIN_MB = 48
RSS_MARGIN_SHARE = 0.05
RSS_PEAK_SHARE = 0.15
# How far back from the end the memory of the run is judged.
RSS_LATE_WINDOW = 300.0


def mb(kb):
    return kb / 1024


def log_memory(samples, seconds):
    """Every sample, then the median and the highest of each minute played."""
    log("resident memory (MB) every %.0f s: " % RSS_PERIOD +
        " ".join(f"{t:.0f}:{mb(kb):.0f}" for t, kb in samples))
    start = 0.0
    while start < seconds:
        stretch = [kb for t, kb in samples if start <= t < min(start + 60.0, seconds)]
        if stretch:
            log(f"  {start:4.0f} to {min(start + 60.0, seconds):4.0f} s: median "
                f"{mb(statistics.median(stretch)):.0f} MB, highest {mb(max(stretch)):.0f} MB")
        start += 60.0


def judge_memory(samples, warm, seconds):
    """The resident size must stop growing once the first save has passed and
    a minute more: warm is when the first save was due, by which time every
    render distance has been seen and the save buffer is in memory.

    The level of a stretch of samples is its median. A sample may catch a
    passing peak (sections rebuilt after digging, the driver's buffers while a
    frame is drawn) some percent over the level; a leak raises the median as
    surely as the peak, a passing peak does not. So the level of the last
    five minutes may lie only a margin above the level of the minute after
    warming up (a leak of 8 MB a minute goes past it), and no late peak far
    above the early ones."""
    check(samples, "no memory samples")
    log_memory(samples, seconds)
    minute = 60.0
    late_from = max(warm + minute, seconds - RSS_LATE_WINDOW)
    early = [kb for t, kb in samples if warm <= t < warm + minute]
    late = [kb for t, kb in samples if late_from <= t < seconds]
    if not early or not late:
        log(f"memory not judged: {seconds:.0f} s of play leave no stretch after {warm + minute:.0f} s")
        return
    level = statistics.median(early)
    allowed = level + max(RSS_MARGIN_MB * 1024, level * RSS_MARGIN_SHARE)
    peak_allowed = max(early) * (1 + RSS_PEAK_SHARE)
    log(f"resident memory: median {mb(level):.0f} MB from {warm:.0f} to {warm + minute:.0f} s; "
        f"from {late_from:.0f} s on median {mb(statistics.median(late)):.0f} MB "
        f"(allowed {mb(allowed):.0f} MB); "
        f"highest {mb(max(early)):.0f} MB early, {mb(max(late)):.0f} MB late "
        f"(allowed {mb(peak_allowed):.0f} MB)")
    check(statistics.median(late) <= allowed, "memory kept growing after the first minute")
    check(max(late) <= peak_allowed, "memory peaked far higher late in the run than early")
