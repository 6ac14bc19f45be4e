"""What the end-to-end scripts share: waiting for a condition the program brings about."""
import time


def until(condition, seconds=30):
    """True as soon as condition() is; false when it is not within the given seconds."""
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.2)
    return False
