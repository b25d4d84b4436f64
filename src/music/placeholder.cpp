namespace lvx::music { }
