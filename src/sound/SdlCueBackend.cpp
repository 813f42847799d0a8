// replaced by the SDL backend
